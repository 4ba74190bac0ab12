#include "game/textfitting.h"

#include <algorithm>

namespace morvane {

double fittingPointSize(std::span<const forms::Control* const> labels, double desktopPoints, double twipsPerPixel,
                        const TextMeasure& measure)
{
    const auto fits = [&](double points) {
        return std::all_of(labels.begin(), labels.end(), [&](const forms::Control* label) {
            const double border = 2 * forms::borderPixels(label->border) * twipsPerPixel;
            const TextExtent ink = measure(label->text, points);
            return ink.width <= label->rect.width - border && ink.height <= label->rect.height - border;
        });
    };
    if (desktopPoints <= 0 || fits(desktopPoints))
        return desktopPoints;
    double points = desktopPoints;
    while (points - kPointSizeStep >= kSmallestPointSize && !fits(points))
        points -= kPointSizeStep;
    return points;
}

} // namespace morvane
