// The remembered outer size of the quote window: how a stored value is read back and written.
#pragma once

#include <QString>

#include <optional>

namespace dewmoth::quote_window {

// A stored outer width or height in twips, or nothing when the text is not a positive number.
// The text is read in the user's locale first, then in the C locale.
std::optional<double> parseStoredTwips(const QString &text);

// The outer length to apply: `fallback` for an absent or unusable value, at most `available`.
double restoreTwips(const std::optional<QString> &stored, double fallback, double available);

// Whole twips as plain digits, the form the store keeps.
QString formatTwips(double twips);

} // namespace dewmoth::quote_window
