// Feeds arbitrary bytes to the quote file reader and compares every saying with a plain,
// obviously correct reading of the same bytes.
#include "quotes/legacy_text.h"
#include "quotes/tip_list.h"
#include "quotes/utf8_check.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace dewmoth::quotes;

namespace {

std::vector<std::string_view> referenceLines(std::string_view bytes, std::size_t start)
{
    const bool crMode = bytes.find('\r') != std::string_view::npos;
    std::vector<std::string_view> lines;
    std::size_t begin = start;
    for (std::size_t i = start; i < bytes.size(); ++i) {
        if (bytes[i] != (crMode ? '\r' : '\n'))
            continue;
        if (i > begin)
            lines.push_back(bytes.substr(begin, i - begin));
        begin = i + 1;
        if (crMode && begin < bytes.size() && bytes[begin] == '\n')
            ++begin;
        i = begin - 1;
    }
    if (begin < bytes.size())
        lines.push_back(bytes.substr(begin));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const TipList tips = TipList::fromBytes(bytes);
    const bool utf8 = isValidUtf8(bytes.data(), bytes.size());
    if (utf8 != isValidUtf8Portable(bytes.data(), bytes.size()))
        std::abort(); // the processor's check and the portable one disagree
    if ((tips.encoding() == QuoteEncoding::Utf8) != utf8)
        std::abort();
    const bool bom = utf8 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
    const std::vector<std::string_view> expected = referenceLines(bytes, bom ? 3 : 0);
    if (std::size_t(tips.count()) != expected.size())
        std::abort();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QString want =
            utf8 ? QString::fromUtf8(expected[i].data(), qsizetype(expected[i].size()))
                 : decodeLegacyText(expected[i].data(), expected[i].size());
        if (tips.at(qint32(i + 1)) != want)
            std::abort();
        const QString shown = tips.at(qint32(i + 1), 7);
        if (shown.size() > 7 || !want.startsWith(shown))
            std::abort();
    }
    return 0;
}
