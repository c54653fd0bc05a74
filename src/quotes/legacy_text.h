// Decoding of quote files that are not UTF-8: the platform's legacy single-byte code page
// (Windows-1252 on Linux, the system code page on Windows).
#pragma once

#include <QString>

#include <cstddef>

namespace dewmoth::quotes {

QString decodeLegacyText(const char *data, std::size_t size);

} // namespace dewmoth::quotes
