#pragma once

// The labels keep their rectangles, but their font is the desktop's, and a
// desktop with a large one would cut their text short. There a group of
// labels is set just small enough for all of them to fit, in one size so
// that they still read as one column; where the desktop's font fits, it
// stays. Each front end only measures text: the rule is the same everywhere.

#include <functional>
#include <span>
#include <string_view>

#include "game/forms.h"

namespace morvane {

// How far a text set at the given size reaches from the top left of its
// label's room: right to the end of its last letter, down to the foot of its
// lowest one, in twips.
struct TextExtent {
    double width = 0;
    double height = 0;
};
using TextMeasure = std::function<TextExtent(std::string_view text, double points)>;

inline constexpr double kSmallestPointSize = 6;
inline constexpr double kPointSizeStep = 0.5;

// The size the group is set in: the desktop's own where every text fits the
// room inside its label's border, else the largest smaller size, in half
// points down to six, at which all of them do. `twipsPerPixel` gives the
// borders their width. A desktop font sized in pixels rather than points
// (a size of zero or less) is left as it is.
double fittingPointSize(std::span<const forms::Control* const> labels, double desktopPoints, double twipsPerPixel,
                        const TextMeasure& measure);

} // namespace morvane
