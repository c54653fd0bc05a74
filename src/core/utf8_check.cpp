#include "core/utf8_check.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace dewmoth::core {

namespace {

// UTF-8 as a table-driven automaton: the state after each byte says what may follow.
enum : std::uint8_t { Ok, Bad, Need1, Need2, AfterE0, AfterED, AfterF0, Need3, AfterF4, States };

constexpr auto makeUtf8Table()
{
    std::array<std::uint8_t, States * 256> table{};
    table.fill(Bad);
    const auto allow = [&](int state, int first, int last, std::uint8_t next) {
        for (int byte = first; byte <= last; ++byte)
            table[std::size_t(state * 256 + byte)] = next;
    };
    allow(Ok, 0x00, 0x7F, Ok);
    allow(Ok, 0xC2, 0xDF, Need1);
    allow(Ok, 0xE0, 0xE0, AfterE0); // no overlong three-byte forms
    allow(Ok, 0xE1, 0xEC, Need2);
    allow(Ok, 0xED, 0xED, AfterED); // no surrogates
    allow(Ok, 0xEE, 0xEF, Need2);
    allow(Ok, 0xF0, 0xF0, AfterF0); // no overlong four-byte forms
    allow(Ok, 0xF1, 0xF3, Need3);
    allow(Ok, 0xF4, 0xF4, AfterF4); // nothing above U+10FFFF
    allow(Need1, 0x80, 0xBF, Ok);
    allow(Need2, 0x80, 0xBF, Need1);
    allow(AfterE0, 0xA0, 0xBF, Need1);
    allow(AfterED, 0x80, 0x9F, Need1);
    allow(AfterF0, 0x90, 0xBF, Need2);
    allow(Need3, 0x80, 0xBF, Need2);
    allow(AfterF4, 0x80, 0x8F, Need2);
    return table;
}

constexpr auto kUtf8 = makeUtf8Table();

std::uint8_t runUtf8(std::uint8_t state, const unsigned char *p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        state = kUtf8[state * 256u + p[i]];
    return state;
}

} // namespace

bool isValidUtf8(const char *data, std::size_t size)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    if (size < 4096)
        return runUtf8(Ok, p, size) == Ok;

    // Each step of the automaton waits for the one before; four independent quarters, each
    // starting on a character boundary, keep the processor busy four times over.
    std::size_t cut[5] = {0, 0, 0, 0, size};
    for (int k = 1; k < 4; ++k) {
        std::size_t at = std::max(cut[k - 1], size / 4 * std::size_t(k));
        while (at < size && (p[at] & 0xC0) == 0x80)
            ++at;
        cut[k] = at;
    }
    std::size_t common = size;
    for (int k = 0; k < 4; ++k)
        common = std::min(common, cut[k + 1] - cut[k]);
    const unsigned char *a = p + cut[0], *b = p + cut[1], *c = p + cut[2], *d = p + cut[3];
    std::uint8_t sa = Ok, sb = Ok, sc = Ok, sd = Ok;
    for (std::size_t i = 0; i < common;) {
        const std::size_t stop = std::min(common, i + 256);
        for (; i < stop; ++i) {
            sa = kUtf8[sa * 256u + a[i]];
            sb = kUtf8[sb * 256u + b[i]];
            sc = kUtf8[sc * 256u + c[i]];
            sd = kUtf8[sd * 256u + d[i]];
        }
        if (sa == Bad || sb == Bad || sc == Bad || sd == Bad)
            return false;
    }
    return runUtf8(sa, a + common, cut[1] - cut[0] - common) == Ok &&
           runUtf8(sb, b + common, cut[2] - cut[1] - common) == Ok &&
           runUtf8(sc, c + common, cut[3] - cut[2] - common) == Ok &&
           runUtf8(sd, d + common, cut[4] - cut[3] - common) == Ok;
}

} // namespace dewmoth::core
