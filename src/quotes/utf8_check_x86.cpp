#include "quotes/utf8_check.h"

#include <cstring>
#include <tmmintrin.h>

namespace dewmoth::quotes {

namespace {

// Checks sixteen bytes at a time by classifying each pair of neighbouring bytes with three
// nibble lookups (Keiser and Lemire, "Validating UTF-8 in less than one instruction per byte",
// 2021). Each bit names one way a pair can be wrong; a pair is wrong when all three lookups
// agree on a bit.
constexpr char kTooShort = 1 << 0;       // a lead byte not followed by a continuation byte
constexpr char kTooLong = 1 << 1;        // a continuation byte after an ASCII byte
constexpr char kOverlong3 = 1 << 2;      // E0 followed by 80..9F
constexpr char kTooLarge = 1 << 3;       // F4 followed by 90..BF, or F5..FF
constexpr char kSurrogate = 1 << 4;      // ED followed by A0..BF
constexpr char kOverlong2 = 1 << 5;      // C0 or C1
constexpr char kTooLarge1000 = 1 << 6;   // F5..FF followed by 80..8F
constexpr char kOverlong4 = 1 << 6;      // F0 followed by 80..8F
constexpr char kTwoConts = char(1 << 7); // two continuation bytes: right only as a third or fourth
constexpr char kCarry = kTooShort | kTooLong | kTwoConts;

// Every member function carries the target attribute, the constructor too: on a processor
// family whose baseline lacks SSE (Debian's i386), no intrinsic may run outside one.
struct Checker
{
    __m128i error;
    __m128i previous;
    __m128i previousIncomplete;

    __attribute__((target("ssse3"))) Checker()
        : error(_mm_setzero_si128()), previous(_mm_setzero_si128()),
          previousIncomplete(_mm_setzero_si128())
    {}

    __attribute__((target("ssse3"))) static __m128i highNibbles(__m128i v)
    {
        return _mm_and_si128(_mm_srli_epi16(v, 4), _mm_set1_epi8(0x0F));
    }

    __attribute__((target("ssse3"))) void block(__m128i input)
    {
        // Nothing but ASCII: only a character left open by the block before can be wrong.
        if (_mm_movemask_epi8(input) == 0) {
            error = _mm_or_si128(error, previousIncomplete);
            previous = input;
            previousIncomplete = _mm_setzero_si128();
            return;
        }
        const __m128i prev1 = _mm_alignr_epi8(input, previous, 15);
        const __m128i byte1High = _mm_shuffle_epi8(
            _mm_setr_epi8(kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
                          kTooLong, kTwoConts, kTwoConts, kTwoConts, kTwoConts,
                          kTooShort | kOverlong2, kTooShort, kTooShort | kOverlong3 | kSurrogate,
                          kTooShort | kTooLarge | kTooLarge1000 | kOverlong4),
            highNibbles(prev1));
        constexpr char kLarge = kCarry | kTooLarge | kTooLarge1000;
        const __m128i byte1Low = _mm_shuffle_epi8(
            _mm_setr_epi8(kCarry | kOverlong3 | kOverlong2 | kOverlong4, kCarry | kOverlong2,
                          kCarry, kCarry, kCarry | kTooLarge, kLarge, kLarge, kLarge, kLarge,
                          kLarge, kLarge, kLarge, kLarge, kLarge | kSurrogate, kLarge, kLarge),
            _mm_and_si128(prev1, _mm_set1_epi8(0x0F)));
        constexpr char kCont = kTooLong | kOverlong2 | kTwoConts;
        const __m128i byte2High = _mm_shuffle_epi8(
            _mm_setr_epi8(kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
                          kTooShort, kTooShort, kCont | kOverlong3 | kTooLarge1000 | kOverlong4,
                          kCont | kOverlong3 | kTooLarge, kCont | kSurrogate | kTooLarge,
                          kCont | kSurrogate | kTooLarge, kTooShort, kTooShort, kTooShort,
                          kTooShort),
            highNibbles(input));
        const __m128i special = _mm_and_si128(_mm_and_si128(byte1High, byte1Low), byte2High);

        // Two bytes back a lead of three or more, or three back a lead of four: this byte must
        // be a continuation, which is where two continuation bytes in a row are right.
        const __m128i prev2 = _mm_alignr_epi8(input, previous, 14);
        const __m128i prev3 = _mm_alignr_epi8(input, previous, 13);
        const __m128i third = _mm_subs_epu8(prev2, _mm_set1_epi8(char(0xE0 - 0x80)));
        const __m128i fourth = _mm_subs_epu8(prev3, _mm_set1_epi8(char(0xF0 - 0x80)));
        const __m128i mustContinue =
            _mm_and_si128(_mm_or_si128(third, fourth), _mm_set1_epi8(char(0x80)));
        error = _mm_or_si128(error, _mm_xor_si128(mustContinue, special));

        // A lead byte among the last three that needs more bytes than the block has left.
        previousIncomplete =
            _mm_subs_epu8(input, _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                               char(0xF0 - 1), char(0xE0 - 1), char(0xC0 - 1)));
        previous = input;
    }

    __attribute__((target("ssse3"))) static bool zero(__m128i v)
    {
        return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())) == 0xFFFF;
    }
    __attribute__((target("ssse3"))) bool failed() const { return !zero(error); }
    __attribute__((target("ssse3"))) bool valid() const
    {
        return zero(_mm_or_si128(error, previousIncomplete));
    }
};

__attribute__((target("ssse3"))) bool isValidUtf8Ssse3(const char *data, std::size_t size)
{
    Checker checker;
    std::size_t i = 0;
    for (; i + 64 <= size; i += 64) {
        for (int k = 0; k < 64; k += 16)
            checker.block(_mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i + k)));
        if (checker.failed())
            return false; // text in another encoding is told apart early
    }
    for (; i + 16 <= size; i += 16)
        checker.block(_mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i)));
    if (i < size) {
        // The rest, padded with NUL bytes: ASCII, so they close nothing and open nothing.
        char tail[16] = {};
        std::memcpy(tail, data + i, size - i);
        checker.block(_mm_loadu_si128(reinterpret_cast<const __m128i *>(tail)));
    }
    return checker.valid();
}

} // namespace

bool utf8CheckIsVectorised()
{
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    return ssse3;
}

bool isValidUtf8(const char *data, std::size_t size)
{
    return utf8CheckIsVectorised() ? isValidUtf8Ssse3(data, size) : isValidUtf8Portable(data, size);
}

} // namespace dewmoth::quotes
