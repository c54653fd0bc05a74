#include "quotes/line_index.h"

#include <bit>
#include <emmintrin.h>

namespace dewmoth::quotes {

bool scanLines(const char *data, std::size_t size, std::size_t from, char terminator,
               LineCollector &lines)
{
    const __m128i term = _mm_set1_epi8(terminator);
    __m128i high = _mm_setzero_si128();
    std::size_t i = from;
    for (; i + 16 <= size; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        high = _mm_or_si128(high, v);
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, term)));
        while (mask) {
            lines.atTerminator(i + unsigned(std::countr_zero(mask)));
            mask &= mask - 1;
        }
    }
    bool nonAscii = _mm_movemask_epi8(high) != 0;
    for (; i < size; ++i) {
        nonAscii |= (static_cast<unsigned char>(data[i]) & 0x80) != 0;
        if (data[i] == terminator)
            lines.atTerminator(i);
    }
    lines.finish();
    return nonAscii;
}

} // namespace dewmoth::quotes
