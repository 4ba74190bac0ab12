#pragma once

// What a saved position has on the board, and the position a tiling makes of it.

#include <array>
#include <cstdint>
#include <optional>

#include "game/puzzle.h"
#include "solve/placements.h"

namespace morvane {

// The pieces a position has on the board. A piece is on it when its five
// squares sit exactly on board cells in its shape, whatever their numbering,
// and no other such piece shares a board cell with it; every other piece is not.
struct BoardReading {
    std::array<std::optional<Placement>, kPieceCount> placed{};

    BoardBits covered() const;
    std::uint16_t freePieces() const;  // bit p for each piece not on the board
    bool solved() const { return freePieces() == 0; }
};

BoardReading readBoard(const Positions& cell);

// The position with every piece where the tiling has it: pieces the reading
// had on the board keep their squares exactly as the position gave them.
Positions completedPositions(const Positions& cell, const BoardReading& reading, const Tiling& tiling);

} // namespace morvane
