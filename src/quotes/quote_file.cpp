#include "quotes/quote_file.h"

#include <utility>

namespace dewmoth::quotes {

// Owning the handle is the same everywhere; only closing it is the platform's (close()).
OpenFile::~OpenFile()
{
    close();
}

OpenFile::OpenFile(OpenFile &&other) noexcept : m_handle(std::exchange(other.m_handle, -1)) {}

OpenFile &OpenFile::operator=(OpenFile &&other) noexcept
{
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, -1);
    }
    return *this;
}

} // namespace dewmoth::quotes
