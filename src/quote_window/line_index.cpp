#include "quote_window/line_index.h"

#include <algorithm>

namespace dewmoth::quote_window {

std::uint64_t LineIndex::offset(std::size_t i) const
{
    const auto high = std::upper_bound(m_high.begin(), m_high.end(), i) - m_high.begin();
    return (std::uint64_t(high) << 32) | m_low[i];
}

void LineIndex::push(std::uint64_t offset)
{
    while ((offset >> 32) > m_high.size())
        m_high.push_back(m_low.size());
    m_low.push_back(std::uint32_t(offset));
}

void LineIndex::clear()
{
    m_low.clear();
    m_high.clear();
}

bool isValidUtf8(const char *data, std::size_t size)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    const auto *end = p + size;
    while (p < end) {
        // Runs of ASCII are the common case even in non-English text: skip 8 bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            __builtin_memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull)
                break;
            p += 8;
        }
        if (p >= end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int extra;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                lo = 0xA0; // no overlong forms
            else if (c == 0xED)
                hi = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F; // nothing above U+10FFFF
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (int k = 2; k <= extra; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
        }
        p += extra + 1;
    }
    return true;
}

} // namespace dewmoth::quote_window
