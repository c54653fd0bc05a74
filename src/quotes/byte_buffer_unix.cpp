#include "quotes/byte_buffer.h"

#include <sys/mman.h>

namespace dewmoth::quotes::detail {

void *allocatePages(std::size_t size)
{
    void *p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return nullptr;
#ifdef MADV_HUGEPAGE
    // Faulting in 2 MiB pages instead of 4 KiB ones is most of the cost of reading a big file.
    ::madvise(p, size, MADV_HUGEPAGE);
#endif
    return p;
}

void freePages(void *data, std::size_t size)
{
    ::munmap(data, size);
}

} // namespace dewmoth::quotes::detail
