#include "quotes/legacy_text.h"

#include <windows.h>

namespace dewmoth::quotes {

QString decodeLegacyText(const char *data, std::size_t size)
{
    if (size == 0)
        return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, data, int(size), nullptr, 0);
    QString text(length, Qt::Uninitialized);
    ::MultiByteToWideChar(CP_ACP, 0, data, int(size), reinterpret_cast<wchar_t *>(text.data()),
                          length);
    return text;
}

} // namespace dewmoth::quotes
