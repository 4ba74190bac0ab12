#pragma once

// The position file: a plain text file of 61 lines, CR LF each. Lines 1 to 60
// hold the Top and then the Left of squares 0 to 59, line 61 the counter's
// text exactly as shown. The shape tables are not part of it.
//
//    2400  400 
//    2160  640 
//   ...
//   57

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "game/puzzle.h"

namespace morvane {

struct SavedPosition {
    Positions cell{};
    std::string caption;
};

// A coordinate as the file holds it: a leading space for zero or more, "-"
// for less, the shortest digits that give back the same single-precision
// value, and one trailing space. 2400 is " 2400 ", -240 is "-240 ".
std::string numberText(float value);

std::string writePositionFile(const Positions& cell, std::string_view caption);

// Reads a whole position or nothing. Fields may be separated by spaces,
// commas or line ends. A Top is any number that fits single precision, a Left
// is rounded half to even and must fit 16 bits, and the counter is taken as
// it stands. Reading stops after the counter, whatever follows it, and no
// field may grow past a few hundred bytes.
std::optional<SavedPosition> readPositionFile(std::string_view bytes);

// How much of a file is read for a position: far more than any position
// takes, so a huge file is never read whole. What lies beyond is never part
// of the position.
inline constexpr std::size_t kPositionFileLimit = std::size_t{1} << 20;

} // namespace morvane
