#pragma once

// Every position in the game is in twips; widgets live in logical pixels.
// The windows are laid out at 15 twips per pixel and Qt's high-DPI scaling
// takes care of the rest, so this is the one place where the two meet.

#include <QPointF>
#include <QRect>

#include <algorithm>
#include <cmath>

#include "game/forms.h"

namespace morvane {

// Squares can be dragged arbitrarily far away; keep their widgets at
// coordinates Qt can still add to without overflowing.
inline int twipsToPixels(double twips)
{
    constexpr double limit = 1 << 24;
    return static_cast<int>(std::lround(std::clamp(twips / forms::kTwipsPerPixel, -limit, limit)));
}

inline QPointF pixelsToTwips(QPointF pixels)
{
    return pixels * forms::kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace morvane
