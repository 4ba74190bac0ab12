#pragma once

// The plainest search that finds a position's completions: it fills the
// lowest empty board cell first and does nothing else. No pruning, no use of
// the board's symmetry, no tables beyond one list of placements per board
// cell. The yardstick for morvane-solve in `make bench`, and the solver's
// tests check the carried list's answers against it.

#include <functional>

#include "solve/boardreading.h"
#include "solve/placements.h"

namespace morvane {

// Every way to fill the empty board cells with the pieces not on the board,
// those on it kept where they are, until the visitor returns false.
void plainSearch(const BoardReading& reading, const std::function<bool(const Tiling&)>& visit);

} // namespace morvane
