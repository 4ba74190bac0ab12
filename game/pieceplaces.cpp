#include "game/pieceplaces.h"

#include <algorithm>

#include "game/board.h"

namespace morvane {

namespace {

SquarePosition squareOf(const Positions& cell, int piece, int k)
{
    const int index = firstSquareOf(piece) + k;
    return cell.at(static_cast<std::size_t>(index));
}

bool onBoardCell(SquarePosition s)
{
    const auto square = static_cast<float>(kSquareTwips);
    return s.left >= kBoardLeft && s.left + square <= kBoardRight && s.top >= kBoardTop
           && s.top + square <= kBoardBottom && static_cast<int>(s.left) == s.left
           && static_cast<int>(s.top) == s.top && static_cast<int>(s.left) % kSquareTwips == 0
           && static_cast<int>(s.top) % kSquareTwips == 0;
}

bool overlapsBoard(SquarePosition s)
{
    const auto square = static_cast<float>(kSquareTwips);
    return s.left < kBoardRight && s.left + square > kBoardLeft && s.top < kBoardBottom
           && s.top + square > kBoardTop;
}

} // namespace

std::string pieceDescription(const Positions& cell, int piece)
{
    std::string text(1, kPieceLetters[static_cast<std::size_t>(piece)]);
    bool whole = true;
    bool some = false;
    for (int k = 0; k < kSquaresPerPiece; ++k) {
        whole = whole && onBoardCell(squareOf(cell, piece, k));
        some = some || overlapsBoard(squareOf(cell, piece, k));
    }
    if (whole) {
        const SquarePosition pivot = squareOf(cell, piece, 0);
        const int row = (static_cast<int>(pivot.top) - kBoardTop) / kSquareTwips + 1;
        const int column = (static_cast<int>(pivot.left) - kBoardLeft) / kSquareTwips + 1;
        return text + ", on the board at row " + std::to_string(row) + ", column " + std::to_string(column);
    }
    return text + (some ? ", partly on the board" : ", off the board");
}

PieceBounds boundsOf(const Positions& cell, int piece)
{
    const auto square = static_cast<float>(kSquareTwips);
    const SquarePosition first = squareOf(cell, piece, 0);
    PieceBounds bounds{first.left, first.top, first.left + square, first.top + square};
    for (int k = 1; k < kSquaresPerPiece; ++k) {
        const SquarePosition s = squareOf(cell, piece, k);
        bounds = {std::min(bounds.left, s.left), std::min(bounds.top, s.top), std::max(bounds.right, s.left + square),
                  std::max(bounds.bottom, s.top + square)};
    }
    return bounds;
}

std::array<int, kSquaresPerPiece> outlineEdges(const Positions& cell, int piece)
{
    const auto square = static_cast<float>(kSquareTwips);
    std::array<int, kSquaresPerPiece> edges{};
    for (int k = 0; k < kSquaresPerPiece; ++k) {
        const SquarePosition s = squareOf(cell, piece, k);
        int sides = edge::Left | edge::Top | edge::Right | edge::Bottom;
        for (int other = 0; other < kSquaresPerPiece; ++other) {
            const SquarePosition o = squareOf(cell, piece, other);
            if (o.top == s.top && o.left == s.left - square)
                sides &= ~edge::Left;
            if (o.top == s.top && o.left == s.left + square)
                sides &= ~edge::Right;
            if (o.left == s.left && o.top == s.top - square)
                sides &= ~edge::Top;
            if (o.left == s.left && o.top == s.top + square)
                sides &= ~edge::Bottom;
        }
        edges[static_cast<std::size_t>(k)] = sides;
    }
    return edges;
}

} // namespace morvane
