// The quote file's line scan built for a 32-bit x86 without SSE in its baseline (Debian's
// i386), with the sources CMake chooses there: it must find the lines a plain reading finds.
#include "../quote_reference.h"
#include "quotes/line_scan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

using namespace dewmoth::quotes;

namespace {

class Memory final : public ByteSource
{
public:
    explicit Memory(const std::string &text) : m_text(text) {}
    std::int64_t readAt(std::uint64_t offset, char *into, std::size_t size,
                        std::string &) const override
    {
        if (offset >= m_text.size())
            return 0;
        const std::size_t n = std::min<std::size_t>(size, m_text.size() - std::size_t(offset));
        std::memcpy(into, m_text.data() + offset, n);
        return std::int64_t(n);
    }

private:
    const std::string &m_text;
};

} // namespace

int main()
{
    std::mt19937 random(1);
    const std::string pieces[] = {"a", "\n", "\r", "\r\n", "\xc3\xa9", "\xff", "          "};
    int failures = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        // Now and then past the reader's 256 KiB chunk.
        const int count = int(random() % (round % 100 == 0 ? 70000 : 200));
        for (int k = 0; k < count; ++k)
            text += pieces[random() % std::size(pieces)];
        const reference::Reading expected = reference::readLines(text);
        const LineEndCounts counts = countLineEnds(text.data(), text.size(), TextUnits::Bytes);
        LineIndex index;
        const ScanResult scan =
            scanLines(Memory(text), 0, TextUnits::Bytes, counts.majority(), index);
        bool same = scan.ok && index.count() == expected.lines.size();
        for (std::size_t i = 0; same && i < expected.lines.size(); ++i)
            same = index.offset(i) == expected.lines[i].start;
        failures += !same;
    }
    std::printf("%d disagreements in 20000 inputs\n", failures);
    return failures == 0 ? 0 : 1;
}
