#include "quotes/line_index.h"

#include <cstring>

namespace dewmoth::quotes {

bool scanLines(const char *data, std::size_t size, std::size_t from, char terminator,
               LineCollector &lines)
{
    bool nonAscii = false;
    std::size_t i = from;
    while (i < size) {
        const void *hit = std::memchr(data + i, terminator, size - i);
        const std::size_t end = hit ? std::size_t(static_cast<const char *>(hit) - data) : size;
        for (std::size_t k = i; k < end && !nonAscii; ++k)
            nonAscii = (static_cast<unsigned char>(data[k]) & 0x80) != 0;
        if (!hit)
            break;
        lines.atTerminator(end);
        i = end + 1;
    }
    lines.finish();
    return nonAscii;
}

} // namespace dewmoth::quotes
