#include "game/pieces.h"

#include "game/index.h"
#include "game/runtime.h"

namespace morvane {

void ShapeTable::reset()
{
    for (int p = 0; p < kPieceCount; ++p)
        setShape(p, kStartingShapes[at(p)]);
}

void ShapeTable::checkIndices(int piece, int square)
{
    if (piece < 0 || piece >= kPieceCount || square < 0 || square >= kSquaresPerPiece)
        throw RuntimeError(RuntimeErrorKind::SubscriptOutOfRange);
}

std::int32_t ShapeTable::PieceDX(int piece, int square) const
{
    checkIndices(piece, square);
    return dx_[at(piece)][at(square)];
}

std::int16_t ShapeTable::PieceDY(int piece, int square) const
{
    checkIndices(piece, square);
    return dy_[at(piece)][at(square)];
}

PieceShape ShapeTable::shape(int piece) const
{
    PieceShape result;
    for (int c = 0; c < kSquaresPerPiece; ++c)
        result[at(c)] = {PieceDX(piece, c), PieceDY(piece, c)};
    return result;
}

void ShapeTable::setShape(int piece, const PieceShape& shape)
{
    checkIndices(piece, 0);
    // Convert every row offset before storing any, so a bad one changes nothing.
    std::array<std::int16_t, kSquaresPerPiece> rows{};
    for (std::size_t c = 0; c < rows.size(); ++c)
        rows[c] = toInt16(shape[c].dy);
    for (std::size_t c = 0; c < rows.size(); ++c) {
        dx_[at(piece)][c] = shape[c].dx;
        dy_[at(piece)][c] = rows[c];
    }
}

PieceShape reoriented(const PieceShape& shape, Reorientation how)
{
    PieceShape result = shape;
    for (Offset& o : result) {
        switch (how) {
        case Reorientation::QuarterTurn:
            o = {o.dy, toInt16(-std::int64_t{o.dx})};
            break;
        case Reorientation::MirrorTopToBottom:
            o.dy = toInt16(-std::int64_t{o.dy});
            break;
        case Reorientation::MirrorLeftToRight:
            o.dx = -o.dx;
            break;
        case Reorientation::Keep:
            break;
        }
    }
    return result;
}

} // namespace morvane
