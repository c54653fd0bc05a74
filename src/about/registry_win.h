// One registry value as text, by the rules of key_value.h (Windows only).
#pragma once

#include "about/key_value.h"

#include <windows.h>

#include <string>

namespace dewmoth::about {

// Reads `valueName` of `keyName` under `root`, read-only, into a 1024-byte buffer. Text comes
// back as UTF-8.
KeyValueOutcome GetKeyValue(HKEY root, const std::wstring &keyName, const std::wstring &valueName,
                            std::string &keyVal);

} // namespace dewmoth::about
