#pragma once

// The search for every tiling of the empty board.

#include <functional>

#include "solve/placements.h"

namespace morvane {

// The search goes on while this returns true.
using TilingVisitor = std::function<bool(const Tiling&)>;

// The tilings of the empty board with the X's centre in the board's top-left
// quarter. No X centre lies on an axis of the board, so the four images of a
// tiling (itself, turned by 180 degrees, mirrored either way) have their X in
// four different quarters: this gives every tiling once up to turning and
// mirroring the board, and no tiling is its own image.
//
// Several threads search at once, but the visitor is called on the calling
// thread alone, in the same order every time; an exception it throws ends the
// search and is passed on.
void solveEmptyBoard(const TilingVisitor& visit);

} // namespace morvane
