// Finds where the sayings of a quote file begin. Line rules: when the file holds any CR, a line
// ends at CR or at CR LF (taken whole) and a lone LF belongs to the line; a file without any CR
// ends its lines at LF. Empty lines are no sayings. Offsets are kept in 4 bytes each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace dewmoth::quotes {

class LineIndex
{
public:
    static constexpr std::size_t kMaxLines = std::numeric_limits<std::int32_t>::max();

    std::size_t count() const { return m_low.size(); }
    std::uint64_t offset(std::size_t i) const;
    void push(std::uint64_t offset);
    void clear();
    void reserve(std::size_t lines) { m_low.reserve(lines); }

private:
    std::vector<std::uint32_t> m_low;
    // m_high[k]: the first entry whose offset is at least (k + 1) << 32.
    std::vector<std::size_t> m_high;
};

// Collects line starts from the positions of line terminators, in rising order.
class LineCollector
{
public:
    LineCollector(const char *data, std::size_t size, std::size_t from, bool crMode,
                  LineIndex &index)
        : m_data(data), m_size(size), m_lineStart(from), m_crMode(crMode), m_index(index)
    {}

    void atTerminator(std::size_t pos)
    {
        if (pos < m_lineStart)
            return; // the LF of a CR LF pair, already consumed
        if (pos > m_lineStart && m_index.count() < LineIndex::kMaxLines)
            m_index.push(m_lineStart);
        m_lineStart = pos + 1;
        if (m_crMode && m_lineStart < m_size && m_data[m_lineStart] == '\n')
            ++m_lineStart;
    }

    void finish()
    {
        if (m_lineStart < m_size && m_index.count() < LineIndex::kMaxLines)
            m_index.push(m_lineStart);
    }

private:
    const char *m_data;
    std::size_t m_size;
    std::size_t m_lineStart;
    bool m_crMode;
    LineIndex &m_index;
};

// One pass over data[from, size): reports every `terminator` byte to `lines` and returns whether
// any byte has its high bit set. One implementation per processor family.
bool scanLines(const char *data, std::size_t size, std::size_t from, char terminator,
               LineCollector &lines);

} // namespace dewmoth::quotes
