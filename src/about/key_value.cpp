#include "about/key_value.h"

namespace dewmoth::about {

KeyValueOutcome interpretKeyValue(std::uint32_t type, std::string_view data, std::string &keyVal)
{
    if (data.size() > kValueBufferSize) {
        keyVal.clear();
        return KeyValueOutcome::Absent;
    }
    if (data.empty())
        return KeyValueOutcome::NoData;
    if (data.back() == '\0')
        data.remove_suffix(1);

    if (type == REG_SZ) {
        keyVal.assign(data);
    } else if (type == REG_DWORD) {
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
