#include "quotes/line_index.h"

#include <algorithm>

namespace dewmoth::quotes {

std::uint64_t LineIndex::offset(std::size_t i) const
{
    const auto high = std::upper_bound(m_high.begin(), m_high.end(), i) - m_high.begin();
    return (std::uint64_t(high) << 32) | m_blocks[i / kBlock][i % kBlock];
}

void LineIndex::pushSlowly(std::uint64_t offset)
{
    const std::size_t n = count();
    if (n >= m_max) {
        m_overflowed = true; // a saying number must fit a signed 32-bit position
        return;
    }
    while ((offset >> 32) > m_high.size())
        m_high.push_back(n);
    if (m_next == m_end) {
        // new[] without () leaves the block untouched: only the pages written are ever held.
        m_blocks.emplace_back(new std::uint32_t[kBlock]);
        m_next = m_blocks.back().get();
        // The last block ends at the limit, so that push() never passes it, fast path or not.
        m_end = m_next + std::min(kBlock, m_max - n);
    }
    *m_next++ = std::uint32_t(offset);
}

void LineIndex::dropLast()
{
    if (m_next == m_blocks.back().get()) {
        m_blocks.pop_back();
        m_end = m_blocks.back().get() + kBlock;
        m_next = m_end;
    }
    --m_next;
}

void LineIndex::clear()
{
    m_blocks.clear();
    m_high.clear();
    m_next = m_end = nullptr;
    m_overflowed = false;
}

} // namespace dewmoth::quotes
