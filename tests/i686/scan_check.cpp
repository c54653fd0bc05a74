// The quote file's scanning parts built for a 32-bit x86 without SSE in its baseline (Debian's
// i386): the UTF-8 check chosen there must agree with the portable one, and the line scan with
// a plain byte loop.
#include "quotes/line_index.h"
#include "quotes/utf8_check.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace dewmoth::quotes;

namespace {

std::vector<std::size_t> plainLines(const std::string &text, char terminator)
{
    std::vector<std::size_t> starts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == terminator) {
            if (i > start)
                starts.push_back(start);
            start = i + 1;
        }
    }
    return starts;
}

} // namespace

int main()
{
    std::mt19937 random(1);
    const std::string pieces[] = {
        "a",    "\n",        "\xc3\xa9",     "\xe2\x82\xac",     "\xf0\x9f\x98\x80",
        "\xc3", "\x80",      "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe0\x80\xaf",
        "\xff", "          "};
    int failures = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int count = int(random() % 200);
        for (int k = 0; k < count; ++k)
            text += pieces[random() % std::size(pieces)];
        if (isValidUtf8(text.data(), text.size()) != isValidUtf8Portable(text.data(), text.size()))
            ++failures;
        LineIndex index;
        LineCollector collector(text.data(), text.size(), 0, false, index);
        scanLines(text.data(), text.size(), 0, '\n', collector);
        const std::vector<std::size_t> expected = plainLines(text, '\n');
        bool same = index.count() == expected.size();
        for (std::size_t i = 0; same && i < expected.size(); ++i)
            same = index.offset(i) == expected[i];
        failures += !same;
    }
    std::printf("%d disagreements in 20000 inputs\n", failures);
    return failures == 0 ? 0 : 1;
}
