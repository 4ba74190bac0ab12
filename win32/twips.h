#pragma once

// Twips and the pixels of a Win32 window. Windows does no scaling for a
// window that is aware of its monitor's DPI: the game sets every size itself,
// at 1440 / DPI twips per pixel (15 at 96 DPI, 10 at 144), and a window that
// moves to a monitor with another DPI is laid out again. This is the one
// place where the two units meet.

#include <algorithm>
#include <cmath>

#include "game/board.h"
#include "game/forms.h"

namespace morvane::win32 {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStandardDpi = 96;

inline double twipsPerPixel(int dpi)
{
    return static_cast<double>(kTwipsPerInch) / dpi;
}

// Nearest pixel, an exact half away from zero as the system's own MulDiv
// rounds. Squares can be dragged arbitrarily far away; their windows are
// kept at coordinates the system can still add to.
inline int twipsToPixels(double twips, int dpi)
{
    constexpr double limit = 1 << 24;
    return static_cast<int>(std::lround(std::clamp(twips * dpi / kTwipsPerInch, -limit, limit)));
}

// A pointer position in pixels as the game's handlers take it: twips,
// single precision, exact for every whole pixel at the usual DPIs.
inline float pixelsToTwips(int pixels, int dpi)
{
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(PixelRect, PixelRect) = default;
};

inline PixelRect pixelRect(const forms::TwipsRect& rect, int dpi)
{
    return {twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi), twipsToPixels(rect.width, dpi),
            twipsToPixels(rect.height, dpi)};
}

// A board line in pixels, both ends included, as MoveToEx and LineTo draw it
// when the end passed to LineTo is one pixel past the last one drawn.
struct PixelLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    friend constexpr bool operator==(PixelLine, PixelLine) = default;
};

inline PixelLine pixelLine(const Line& line, int dpi)
{
    return {twipsToPixels(line.x1, dpi), twipsToPixels(line.y1, dpi), twipsToPixels(line.x2, dpi),
            twipsToPixels(line.y2, dpi)};
}

// A banner is drawn for a standard screen; on a denser one it is stretched
// to keep its size in twips.
inline int bannerPixels(int bannerPixelsAtStandardDpi, int dpi)
{
    return twipsToPixels(bannerPixelsAtStandardDpi * forms::kTwipsPerPixel, dpi);
}

// A font size in points, whole or not, as a LOGFONT height: negative, so
// that it is the height of the characters rather than of the cell.
inline int fontHeight(double points, int dpi)
{
    return -static_cast<int>(std::lround(points * dpi / 72));
}

} // namespace morvane::win32
