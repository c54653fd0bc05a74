#include "quotes/legacy_text.h"

namespace dewmoth::quotes {

namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes keep their C1 code points, as the
// platform that wrote such files maps them.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decodeLegacyText(const char *data, std::size_t size)
{
    QString text(qsizetype(size), Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(text.data());
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : char16_t(byte);
    }
    return text;
}

} // namespace dewmoth::quotes
