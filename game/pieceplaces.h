#pragma once

// A piece as a player who cannot see the board learns of it, and the outline
// that marks the piece with the keyboard focus: both read from where its
// squares lie, so they hold for a piece in any orientation, on the lattice or
// off it.

#include <array>
#include <string>

#include "game/puzzle.h"

namespace morvane {

// The piece's letter and where it lies: "F, on the board at row 2, column 5"
// (its square 0, counted from the board's top-left cell, when all five
// squares sit on board cells), "F, partly on the board" or "F, off the board".
std::string pieceDescription(const Positions& cell, int piece);

// The rectangle a piece's squares span, in twips.
struct PieceBounds {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};
PieceBounds boundsOf(const Positions& cell, int piece);

// The sides of a square that the focus mark runs along.
namespace edge {
inline constexpr int Left = 1;
inline constexpr int Top = 2;
inline constexpr int Right = 4;
inline constexpr int Bottom = 8;
} // namespace edge

// For each of the piece's five squares, the sides that no other square of
// the piece touches: together, the piece's outline.
std::array<int, kSquaresPerPiece> outlineEdges(const Positions& cell, int piece);

} // namespace morvane
