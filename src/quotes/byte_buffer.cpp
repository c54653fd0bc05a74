#include "quotes/byte_buffer.h"

#include <cstdlib>
#include <new>
#include <utility>

namespace dewmoth::quotes {

namespace {
// Below this, malloc's own pools are as fast and waste less.
constexpr std::size_t kPageThreshold = 4u << 20;
} // namespace

ByteBuffer::ByteBuffer(std::size_t size) : m_size(size), m_capacity(size)
{
    if (size == 0)
        return;
    m_pages = size >= kPageThreshold;
    m_data = static_cast<char *>(m_pages ? detail::allocatePages(size) : std::malloc(size));
    if (!m_data)
        throw std::bad_alloc();
}

ByteBuffer::~ByteBuffer()
{
    release();
}

ByteBuffer::ByteBuffer(ByteBuffer &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)), m_pages(std::exchange(other.m_pages, false))
{}

ByteBuffer &ByteBuffer::operator=(ByteBuffer &&other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_pages = std::exchange(other.m_pages, false);
    }
    return *this;
}

void ByteBuffer::shrink(std::size_t size)
{
    if (size < m_size)
        m_size = size;
}

void ByteBuffer::release()
{
    if (!m_data)
        return;
    if (m_pages)
        detail::freePages(m_data, m_capacity);
    else
        std::free(m_data);
    m_data = nullptr;
    m_size = m_capacity = 0;
}

} // namespace dewmoth::quotes
