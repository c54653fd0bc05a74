#include "quotes/utf8_check.h"

namespace dewmoth::quotes {

bool utf8CheckIsVectorised()
{
    return false;
}

bool isValidUtf8(const char *data, std::size_t size)
{
    return isValidUtf8Portable(data, size);
}

} // namespace dewmoth::quotes
