#include "quotes/byte_buffer.h"

#include <windows.h>

namespace dewmoth::quotes::detail {

void *allocatePages(std::size_t size)
{
    return ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void freePages(void *data, std::size_t)
{
    ::VirtualFree(data, 0, MEM_RELEASE);
}

} // namespace dewmoth::quotes::detail
