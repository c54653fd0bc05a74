#include "widgets/twips.h"

#include <cmath>

namespace dewmoth::widgets {

int toPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace dewmoth::widgets
