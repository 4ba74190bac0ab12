#pragma once

// The tilings of the empty board that the program carries, the board's
// symmetries, the one line format a tiling is written in, and the answers to
// a stuck player's questions that the list gives without a search.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "solve/boardreading.h"
#include "solve/placements.h"

namespace morvane {

// The board cells each piece of a tiling covers, indexed by piece.
using TilingCells = std::array<BoardBits, kPieceCount>;
TilingCells cellsOf(const Tiling& tiling);

// The board's symmetries: 0 keeps it, 1 turns it by 180 degrees, 2 mirrors it
// left to right, 3 top to bottom.
inline constexpr int kBoardSymmetries = 4;
BoardBits imageOf(BoardBits cells, int symmetry);
TilingCells imageOf(const TilingCells& cells, int symmetry);

// A tiling as one line: its six rows of ten piece letters, top row first,
// the rows split by "/".
std::string tilingLine(const TilingCells& cells);
// The tiling a line gives, if it is one: every piece's five letters in its shape.
std::optional<TilingCells> tilingOfLine(std::string_view line);

// The least line among the tiling's four images: the same for all four.
std::string canonicalLine(const TilingCells& cells);

// Every tiling of the empty board once up to the board's symmetries, as the
// program carries it: each its canonical line, in sorted order. Drawn by
// `cmake --build build --target draw-tilings`.
std::span<const TilingCells> emptyBoardTilings();

// Every completion of a position is a tiling of the empty board, or an image
// of one, that holds the placed pieces, so these answer from the list the
// program carries, without a search.
std::uint64_t countCompletions(const BoardReading& reading);

// Of the completions, the one whose image with the X in the board's top-left
// quarter comes first in reading order (the X's place, then the piece on each
// lowest empty board cell in turn: see tilings.cpp), then by the symmetry that
// makes it from that image. The order of the list plays no part.
std::optional<Tiling> firstCompletion(const BoardReading& reading);

} // namespace morvane
