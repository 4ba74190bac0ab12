#pragma once

// The board as 60 bits, and every way each piece can lie on it.
//
// Board cell (column, row) is bit column * 6 + row, so the lowest empty bit is
// the topmost empty cell of the leftmost column that has one: the search fills
// the board along its short side, where a piece runs out of room soonest.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "game/board.h"
#include "game/pieces.h"
#include "game/puzzle.h"

namespace morvane {

using BoardBits = std::uint64_t;

inline constexpr int kBoardCells = kBoardColumns * kBoardRows;
inline constexpr BoardBits kWholeBoard = (BoardBits{1} << kBoardCells) - 1;

constexpr int boardBitIndex(int column, int row) { return column * kBoardRows + row; }
constexpr BoardBits boardBit(int column, int row) { return BoardBits{1} << boardBitIndex(column, row); }

// The turns and mirrors of a piece's starting shape that cover different
// squares, 63 over all twelve pieces. Square k of each lies at the image of
// its starting offset k, as the game's own turn or mirror would put it.
std::span<const PieceShape> orientations(int piece);

// One piece lying on the board: which of its orientations, and the board cell
// of its square 0.
struct Placement {
    int piece = 0;
    int orientation = 0;
    int column = 0;
    int row = 0;
    BoardBits cells = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// Every way the piece lies wholly on the board, by orientation, then column,
// then row.
std::span<const Placement> placements(int piece);

// The placement of the piece that covers exactly these cells, if any.
std::optional<Placement> placementCovering(int piece, BoardBits cells);

// Where square k of a placed piece lies, in the game's twips.
SquarePosition squarePosition(const Placement& placement, int square);

// One filling of the board: the placement of every piece, indexed by piece.
using Tiling = std::array<Placement, kPieceCount>;

} // namespace morvane
