#include "about/key_value.h"

namespace dewmoth::about {

KeyValueOutcome interpretKeyValue(std::uint32_t type, std::string_view data, std::string &keyVal,
                                  std::size_t charSize)
{
    if (data.size() > kValueBufferSize) {
        keyVal.clear();
        return KeyValueOutcome::Absent;
    }
    if (data.empty())
        return KeyValueOutcome::NoData;
    if (data.size() >= charSize &&
        data.find_first_not_of('\0', data.size() - charSize) == std::string_view::npos)
        data.remove_suffix(charSize);

    if (type == kRegSz) {
        keyVal.assign(data);
    } else if (type == kRegDword) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        std::string text = "&h";
        for (auto it = data.rbegin(); it != data.rend(); ++it) {
            const auto byte = static_cast<unsigned char>(*it);
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0xF];
        }
        keyVal = std::move(text);
    }
    return KeyValueOutcome::Read;
}

} // namespace dewmoth::about
