// Checks whether bytes are well-formed UTF-8. Each saying is checked when it is shown, so this
// runs over one line at a time, never over a whole file.
#pragma once

#include <cstddef>

namespace dewmoth::core {

// Whether data[0, size) is well-formed UTF-8: no stray or missing continuation bytes, overlong
// forms, surrogates or code points above U+10FFFF.
bool isValidUtf8(const char *data, std::size_t size);

} // namespace dewmoth::core
