#include "solve/boardreading.h"

#include <bit>
#include <cmath>

#include "game/index.h"

namespace morvane {

namespace {

// The board cell a square lies on: exactly on the board's lattice, inside the
// board. Both differences are exact in double precision, and so is fmod, so a
// square a hair off a cell is off.
std::optional<int> boardBitUnder(SquarePosition square)
{
    const double x = static_cast<double>(square.left) - kBoardLeft;
    const double y = static_cast<double>(square.top) - kBoardTop;
    if (x < 0 || x >= kBoardColumns * kSquareTwips || y < 0 || y >= kBoardRows * kSquareTwips ||
        std::fmod(x, kSquareTwips) != 0 || std::fmod(y, kSquareTwips) != 0)
        return std::nullopt;
    return boardBitIndex(static_cast<int>(x) / kSquareTwips, static_cast<int>(y) / kSquareTwips);
}

} // namespace

BoardBits BoardReading::covered() const
{
    BoardBits bits = 0;
    for (const auto& p : placed)
        if (p)
            bits |= p->cells;
    return bits;
}

std::uint16_t BoardReading::freePieces() const
{
    std::uint16_t free = 0;
    for (int p = 0; p < kPieceCount; ++p)
        if (!placed[at(p)])
            free = static_cast<std::uint16_t>(free | (1u << p));
    return free;
}

BoardReading readBoard(const Positions& cell)
{
    BoardReading reading;
    for (int p = 0; p < kPieceCount; ++p) {
        BoardBits bits = 0;
        for (int k = 0; k < kSquaresPerPiece; ++k) {
            const auto bit = boardBitUnder(cell[at(firstSquareOf(p) + k)]);
            if (!bit)
                break;
            bits |= BoardBits{1} << *bit;
        }
        if (std::popcount(bits) == kSquaresPerPiece)
            reading.placed[at(p)] = placementCovering(p, bits);
    }
    // Pieces that share a board cell make the position ambiguous there: none of them counts.
    std::array<bool, kPieceCount> clash{};
    for (std::size_t a = 0; a < clash.size(); ++a)
        for (std::size_t b = a + 1; b < clash.size(); ++b)
            if (reading.placed[a] && reading.placed[b] && (reading.placed[a]->cells & reading.placed[b]->cells) != 0)
                clash[a] = clash[b] = true;
    for (std::size_t p = 0; p < clash.size(); ++p)
        if (clash[p])
            reading.placed[p].reset();
    return reading;
}

Positions completedPositions(const Positions& cell, const BoardReading& reading, const Tiling& tiling)
{
    Positions result = cell;
    for (int p = 0; p < kPieceCount; ++p) {
        if (reading.placed[at(p)])
            continue;
        for (int k = 0; k < kSquaresPerPiece; ++k)
            result[at(firstSquareOf(p) + k)] = squarePosition(tiling[at(p)], k);
    }
    return result;
}

} // namespace morvane
