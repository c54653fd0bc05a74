#include "quote_window/window_size.h"

#include <QLocale>

#include <cmath>

namespace dewmoth::quote_window {

std::optional<double> parseStoredTwips(const QString &text)
{
    bool ok = false;
    float value = QLocale().toFloat(text.trimmed(), &ok);
    if (!ok)
        value = QLocale::c().toFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return double(value);
}

double restoreTwips(const std::optional<QString> &stored, double fallback, double available)
{
    double value = fallback;
    if (stored) {
        if (const auto parsed = parseStoredTwips(*stored))
            value = *parsed;
    }
    if (available > 0 && value > available)
        value = available;
    return value;
}

QString formatTwips(double twips)
{
    return QString::number(qlonglong(std::llround(twips)));
}

} // namespace dewmoth::quote_window
