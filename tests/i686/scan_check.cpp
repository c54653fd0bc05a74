// The quote file's line scans must find the lines a plain reading finds, on random text. Built
// for a 32-bit x86 without SSE in its baseline (Debian's i386) with the sources CMake chooses
// there, and natively, where it runs every scan the build holds.
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
                        dewmoth::core::Failure &) const override
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
    const std::string pieces[] = {"a", "\n", "\r", "\r\n", "\xc3\xa9", "\xff", "          "};
    int failures = 0;
    for (const ByteScan scan : runnableByteScans()) {
        forceByteScan(scan);
        std::mt19937 random(1);
        int pastChunk = 0;
        for (int round = 0; round < 20000; ++round) {
            std::string text;
            // Every hundredth input runs past the reader's 256 KiB chunk (2.6 bytes a piece).
            const int count = int(round % 100 == 0 ? 110000 + random() % 40000 : random() % 200);
            for (int k = 0; k < count; ++k)
                text += pieces[random() % std::size(pieces)];
            pastChunk += text.size() > (std::size_t(256) << 10);
            const reference::Reading expected = reference::readLines(text);
            const LineEndCounts counts = countLineEnds(text.data(), text.size(), TextUnits::Bytes);
            LineIndex index;
            const ScanResult result =
                scanLines(Memory(text), 0, TextUnits::Bytes, counts.majority(), index);
            bool same = result.ok && index.count() == expected.lines.size();
            for (std::size_t i = 0; same && i < expected.lines.size(); ++i)
                same = index.offset(i) == expected.lines[i].start;
            failures += !same;
        }
        std::printf("%s scan: %d disagreements in 20000 inputs, %d of them past one chunk\n",
                    byteScanName(scan), failures, pastChunk);
        failures += pastChunk == 0;
    }
    return failures == 0 ? 0 : 1;
}
