#include "quotes/line_index.h"

#include <algorithm>

namespace dewmoth::quotes {

std::uint64_t LineIndex::offset(std::size_t i) const
{
    const auto high = std::upper_bound(m_high.begin(), m_high.end(), i) - m_high.begin();
    return (std::uint64_t(high) << 32) | m_low[i];
}

void LineIndex::push(std::uint64_t offset)
{
    while ((offset >> 32) > m_high.size())
        m_high.push_back(m_low.size());
    m_low.push_back(std::uint32_t(offset));
}

void LineIndex::clear()
{
    m_low.clear();
    m_high.clear();
}

} // namespace dewmoth::quotes
