// How one registry value becomes text: the rules of the system-information lookup, kept apart
// from any registry so that every platform shares them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dewmoth::about {

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::size_t kValueBufferSize = 1024;

enum class KeyValueOutcome {
    Read,   // keyVal holds the value (or is left as passed, for types other than text and number)
    Absent, // the value did not fit the buffer; keyVal is empty
    NoData, // the value has no bytes at all: an error, not an absent value
};

// `data` is what the read wrote. One trailing zero character (of `charSize` bytes: 1 for
// single-byte text, 2 for UTF-16) is dropped; text is taken as it is; a 32-bit number becomes
// "&h" and two upper-case hex digits per byte, last byte first.
KeyValueOutcome interpretKeyValue(std::uint32_t type, std::string_view data, std::string &keyVal,
                                  std::size_t charSize = 1);

} // namespace dewmoth::about
