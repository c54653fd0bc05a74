// A private, writable block of memory for a whole quote file. Large blocks come from the
// system in huge pages where it offers them, which makes filling them several times cheaper.
// Whether this still pays shows in bench/bench_load_tips.cpp (load time against `wc -l`).
#pragma once

#include <cstddef>

namespace dewmoth::quotes {

class ByteBuffer
{
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::size_t size); // size 0 gives an empty buffer; throws std::bad_alloc
    ~ByteBuffer();
    ByteBuffer(ByteBuffer &&other) noexcept;
    ByteBuffer &operator=(ByteBuffer &&other) noexcept;
    ByteBuffer(const ByteBuffer &) = delete;
    ByteBuffer &operator=(const ByteBuffer &) = delete;

    char *data() { return m_data; }
    const char *data() const { return m_data; }
    std::size_t size() const { return m_size; }
    // Gives back the tail beyond `size` (the file was shorter than announced).
    void shrink(std::size_t size);

private:
    void release();

    char *m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    bool m_pages = false;
};

namespace detail {
// Whole pages straight from the system (one implementation per platform); null on failure.
void *allocatePages(std::size_t size);
void freePages(void *data, std::size_t size);
} // namespace detail

} // namespace dewmoth::quotes
