#pragma once

// The 6 x 10 board, drawn as lines on the lattice that released pieces snap to.

#include <array>

#include "game/pieces.h"

namespace morvane {

inline constexpr int kBoardColumns = 10;
inline constexpr int kBoardRows = 6;
inline constexpr int kBoardLeft = 3840;
inline constexpr int kBoardTop = 240;
inline constexpr int kBoardRight = kBoardLeft + kBoardColumns * kSquareTwips;  // 6240
inline constexpr int kBoardBottom = kBoardTop + kBoardRows * kSquareTwips;     // 1680

struct Line {
    int x1, y1, x2, y2;
    friend constexpr bool operator==(Line, Line) = default;
};

// The lines the game window draws, in drawing order: a rule along the top of
// the client area under the menu bar (running past the right edge on purpose),
// the seven row lines, then the eleven column lines.
constexpr std::array<Line, 19> boardLines()
{
    std::array<Line, 19> lines{};
    std::size_t n = 0;
    lines[n++] = {0, 0, 7600, 0};
    for (int i = 1; i <= 7; ++i)
        lines[n++] = {kBoardLeft, kSquareTwips * i, kBoardRight, kSquareTwips * i};
    for (int j = 1; j <= 11; ++j)
        lines[n++] = {3600 + kSquareTwips * j, kBoardTop, 3600 + kSquareTwips * j, kBoardBottom};
    return lines;
}

} // namespace morvane
