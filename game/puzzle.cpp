#include "game/puzzle.h"

#include "game/index.h"
#include "game/runtime.h"

namespace morvane {

Puzzle::Puzzle()
{
    NewGame();
}

Positions startingLayout(const ShapeTable& tables)
{
    // Two rows of six pieces below the board, five squares apart; the second
    // row is the first moved 2400 down and 7200 back to the left.
    Positions layout{};
    for (int i = 0; i < kSquareCount; ++i) {
        const int p = pieceOf(i);
        const int c = squareNumberOf(i);
        const auto k = static_cast<std::int16_t>(i / 30);
        const std::int16_t top = add16(mul16(tables.PieceDY(p, c), kSquareTwips), mul16(add16(k, 1), 2400));
        const std::int64_t left = std::int64_t{p} * 1200 + 400 + std::int64_t{tables.PieceDX(p, c)} * kSquareTwips
                                  - mul16(k, 7200);
        layout[at(i)] = {static_cast<float>(left), static_cast<float>(top)};
    }
    return layout;
}

void Puzzle::NewGame()
{
    tables_.reset();
    cell_ = startingLayout(tables_);
    caption_ = numberToText(0);  // the integer 0 as the counter shows it
}

void Puzzle::Timer1_Timer()
{
    // A caption whose number lies beyond a double's range cannot go up by one;
    // it counts on from 0 like any caption that is not a number.
    const double seconds = valueOfText(caption_).value_or(0.0);
    caption_ = numberToText(seconds + 1.0);
}

SquarePosition Puzzle::cell(int index) const
{
    if (index < 0 || index >= kSquareCount)
        throw RuntimeError(RuntimeErrorKind::SubscriptOutOfRange);
    return cell_[at(index)];
}

void Puzzle::setPosition(const Positions& positions, std::string caption)
{
    cell_ = positions;
    caption_ = std::move(caption);
}

Puzzle::PieceSquares Puzzle::squaresOf(int piece) const
{
    PieceSquares squares{};
    for (int k = 0; k < kSquaresPerPiece; ++k)
        squares[at(k)] = cell(firstSquareOf(piece) + k);
    return squares;
}

void Puzzle::place(int piece, const PieceSquares& squares)
{
    auto square = cell_.begin() + firstSquareOf(piece);
    for (const SquarePosition& s : squares)
        *square++ = s;
}

} // namespace morvane
