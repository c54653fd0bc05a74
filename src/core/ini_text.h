// The INI text of a settings file, read and changed without disturbing what we do not own:
// other sections, other keys, comments and blank lines stay byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dewmoth::core {

// The value of `key` in `[section]`, trimmed and without surrounding double quotes.
std::optional<std::string> iniValue(std::string_view text, std::string_view section,
                                    std::string_view key);

// `text` with `key` in `[section]` set to `value`: the key's line replaced where it stands
// (later repeats of it dropped), else added at the end of the section, else in a new section
// at the end.
std::string iniWithValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

} // namespace dewmoth::core
