#include "quote_window/line_index.h"

namespace dewmoth::quote_window {

bool isValidUtf8(const char *data, std::size_t size)
{
    return isValidUtf8Portable(data, size);
}

} // namespace dewmoth::quote_window
