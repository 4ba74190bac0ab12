#pragma once

// The board as 60 bits, every way each piece can lie on it, what a saved
// position has on the board, and a search for the ways to fill the rest.
//
// Cell (column, row) is bit column * 6 + row, so the lowest empty bit is the
// topmost empty cell of the leftmost column that has one: the search fills
// the board along its short side, where a piece runs out of room soonest.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "game/board.h"
#include "game/pieces.h"
#include "game/puzzle.h"

namespace morvane {

using BoardBits = std::uint64_t;

inline constexpr int kBoardCells = kBoardColumns * kBoardRows;
inline constexpr BoardBits kWholeBoard = (BoardBits{1} << kBoardCells) - 1;

constexpr int cellIndex(int column, int row) { return column * kBoardRows + row; }
constexpr BoardBits cellBit(int column, int row) { return BoardBits{1} << cellIndex(column, row); }

// The customary letter of each piece; a label only.
inline constexpr std::array<char, kPieceCount> kPieceLetters{'L', 'X', 'U', 'T', 'Z', 'Y', 'V', 'W', 'P', 'N', 'I', 'F'};

// The turns and mirrors of a piece's starting shape that cover different
// squares, 63 over all twelve pieces. Square k of each lies at the image of
// its starting offset k, as the game's own turn or mirror would put it.
std::span<const PieceShape> orientations(int piece);

// One piece lying on the board: which of its orientations, and the cell of
// its square 0.
struct Placement {
    int piece = 0;
    int orientation = 0;
    int column = 0;
    int row = 0;
    BoardBits cells = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// Every way the piece lies wholly on the board.
std::span<const Placement> placements(int piece);

// The placement of the piece that covers exactly these cells, if any.
std::optional<Placement> placementCovering(int piece, BoardBits cells);

// Where square k of a placed piece lies, in the game's twips.
SquarePosition squarePosition(const Placement& placement, int square);

// The pieces a position has on the board. A piece is on it when its five
// squares sit exactly on board cells in its shape, whatever their numbering,
// and no other such piece shares a cell with it; every other piece is not.
struct BoardReading {
    std::array<std::optional<Placement>, kPieceCount> placed{};

    BoardBits covered() const;
    std::uint16_t freePieces() const;  // bit p for each piece not on the board
    bool solved() const { return freePieces() == 0; }
};

BoardReading readBoard(const Positions& cell);

// One filling of the board: the placement of every piece, indexed by piece.
using Tiling = std::array<Placement, kPieceCount>;

// The search goes on while this returns true.
using TilingVisitor = std::function<bool(const Tiling&)>;

// Every way to fill the empty cells with the pieces not on the board, those
// on it kept where they are, found by a search. Stops early when the visitor
// says so.
void solve(const BoardReading& reading, const TilingVisitor& visit);
std::uint64_t searchCompletions(const BoardReading& reading);

// The same answers without a search: every completion of a position is a
// tiling of the empty board, or an image of one, that holds the placed
// pieces, so these look through the list of tilings the program carries.
std::uint64_t countCompletions(const BoardReading& reading);
std::optional<Tiling> firstCompletion(const BoardReading& reading);

// The tilings of the empty board with the X's centre in the board's top-left
// quarter. No X centre lies on an axis of the board, so the four images of a
// tiling (itself, turned by 180 degrees, mirrored either way) have their X in
// four different quarters: this gives every tiling once up to turning and
// mirroring the board, and no tiling is its own image. The search runs on
// every core, but the visitor is called on the calling thread alone, in the
// same order every time; an exception it throws ends the search and is passed on.
void solveEmptyBoard(const TilingVisitor& visit);

inline constexpr int kBoardSymmetries = 4;

// The cells a tiling's pieces cover after one of the board's symmetries:
// 0 keeps them, 1 turns the board by 180 degrees, 2 mirrors it left to right,
// 3 top to bottom.
using TilingCells = std::array<BoardBits, kPieceCount>;
TilingCells cellsOf(const Tiling& tiling);
BoardBits imageOf(BoardBits cells, int symmetry);
TilingCells imageOf(const TilingCells& cells, int symmetry);

// The position with every piece where the tiling has it: pieces the reading
// had on the board keep their squares exactly as the position gave them.
Positions completedPositions(const Positions& cell, const BoardReading& reading, const Tiling& tiling);

} // namespace morvane
