// Twips, the unit every position and size of the windows is given in: 1/1440 inch, 15 to a
// pixel at 96 dots per inch. Qt scales pixels for the screen itself, so the factor is fixed.
#pragma once

#include <QRect>

namespace dewmoth::widgets {

inline constexpr double kTwipsPerPixel = 15.0;

int toPixels(double twips);
QRect twipsRect(int left, int top, int width, int height);

} // namespace dewmoth::widgets
