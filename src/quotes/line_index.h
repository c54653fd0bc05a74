// Where the sayings of a quote file begin: 4 bytes per saying, in blocks that are never moved,
// so that the index of a large file grows without ever holding two copies of itself.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace dewmoth::quotes {

class LineIndex
{
public:
    static constexpr std::size_t kMaxLines = std::numeric_limits<std::int32_t>::max();

    // At most `maxLines` (at most kMaxLines): pushes past it are dropped, and overflowed() says so.
    explicit LineIndex(std::size_t maxLines = kMaxLines) : m_max(std::min(maxLines, kMaxLines)) {}

    std::size_t count() const
    {
        return m_blocks.empty()
                   ? 0
                   : (m_blocks.size() - 1) * kBlock + std::size_t(m_next - m_blocks.back().get());
    }
    std::uint64_t offset(std::size_t i) const;
    // Offsets must come in rising order. Always inlined: the line scan may be built for a newer
    // processor than the rest, and must not leave a copy of this for the others to call.
#if defined(__GNUC__)
    [[gnu::always_inline]]
#endif
    void
    push(std::uint64_t offset)
    {
        if (m_next != m_end && (offset >> 32) == m_high.size())
            *m_next++ = std::uint32_t(offset);
        else
            pushSlowly(offset);
    }
    void clear();
    // Forgets the last offset pushed (there must be one).
    void dropLast();
    // Whether a push was dropped at the limit since the last clear().
    bool overflowed() const
    {
        return m_overflowed;
    }

private:
    static constexpr std::size_t kBlock = std::size_t(1) << 16;

    void pushSlowly(std::uint64_t offset);

    std::vector<std::unique_ptr<std::uint32_t[]>> m_blocks;
    std::uint32_t *m_next = nullptr;
    std::uint32_t *m_end = nullptr;
    // m_high[k]: the first entry whose offset is at least (k + 1) << 32.
    std::vector<std::size_t> m_high;
    std::size_t m_max;
    bool m_overflowed = false;
};

} // namespace dewmoth::quotes
