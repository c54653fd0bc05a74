// Checks whether bytes are well-formed UTF-8, with one implementation per processor family.
#pragma once

#include <cstddef>

namespace dewmoth::quotes {

// Whether data[0, size) is well-formed UTF-8: no stray or missing continuation bytes, overlong
// forms, surrogates or code points above U+10FFFF. One implementation per processor family.
bool isValidUtf8(const char *data, std::size_t size);
// Whether isValidUtf8 is a vector check on this build and processor, not the portable one.
bool utf8CheckIsVectorised();
// The same check for any processor: a table-driven automaton, one byte at a time.
bool isValidUtf8Portable(const char *data, std::size_t size);

} // namespace dewmoth::quotes
