// How the mouse moves pieces: a left press grabs, a move with the left button
// alone drags, the left release snaps to the lattice, a right press turns or
// mirrors. Each handler works on copies and stores them only when every step
// succeeded, so an event that would overflow leaves the game as it was.

#include <cmath>

#include "game/puzzle.h"
#include "game/runtime.h"

namespace morvane {

namespace {

void checkFinite(float v)
{
    if (!std::isfinite(v))
        throw RuntimeError(RuntimeErrorKind::Overflow);
}

Reorientation reorientationFor(int shift)
{
    switch (shift) {
    case 0:
        return Reorientation::QuarterTurn;
    case modifier::Shift:
        return Reorientation::MirrorTopToBottom;
    case modifier::Ctrl:
        return Reorientation::MirrorLeftToRight;
    default:
        return Reorientation::Keep;
    }
}

} // namespace

int Puzzle::pieceAt(int index)
{
    if (index < 0 || index >= kSquareCount)
        throw RuntimeError(RuntimeErrorKind::SubscriptOutOfRange);
    return pieceOf(index);
}

float snap(float v)
{
    checkFinite(v);
    const float d = v - 120.0f;
    // Truncating division keeps the band around zero two whole squares wide:
    // everything from -119 to 359 comes to rest at 240.
    const std::int32_t q = toInt32Rounded(d) / kSquareTwips;
    const std::int16_t n = toInt16(std::int64_t{q} + 1);
    return static_cast<float>(mul16(n, kSquareTwips));
}

MoveOutcome Puzzle::cell_MouseDown(int index, int button, int shift, float x, float y)
{
    try {
        const int p = pieceAt(index);  // checks the index
        if (button == button::Left) {
            // Nothing moves on the press; the grab point is where the next moves measure from.
            const std::int16_t grabY = toInt16Rounded(y);
            grabX_ = x;
            grabY_ = grabY;
            return MoveOutcome::Unchanged;
        }
        if (button != button::Right)
            return MoveOutcome::Unchanged;

        const PieceShape shape = reoriented(tables_.shape(p), reorientationFor(shift));

        // Lay the piece out around its square 0, which stays put (its Top brought
        // to a whole number). The anchor is read before any square moves.
        const SquarePosition anchor = cell(firstSquareOf(p));
        const float x0 = anchor.left;
        const std::int16_t y0 = toInt16Rounded(anchor.top);
        PieceSquares squares{};
        for (std::size_t k = 0; k < squares.size(); ++k) {
            const Offset o = shape[k];
            const std::int16_t top = add16(mul16(toInt16(o.dy), kSquareTwips), y0);
            const float left = x0 + static_cast<float>(std::int64_t{o.dx} * kSquareTwips);
            checkFinite(left);
            squares[k] = {left, static_cast<float>(top)};
        }
        tables_.setShape(p, shape);
        place(p, squares);
        return MoveOutcome::Moved;
    } catch (const RuntimeError&) {
        return MoveOutcome::Refused;
    }
}

// Applies one step to each of the piece's five squares, in order, and keeps
// the result only if every step succeeded.
template <typename Step>
MoveOutcome Puzzle::moveEachSquare(int index, Step step)
{
    try {
        const int p = pieceAt(index);
        PieceSquares squares = squaresOf(p);
        for (SquarePosition& s : squares)
            step(s);
        place(p, squares);
        return MoveOutcome::Moved;
    } catch (const RuntimeError&) {
        return MoveOutcome::Refused;
    }
}

MoveOutcome Puzzle::cell_MouseMove(int index, int button, int /*shift*/, float x, float y)
{
    // Only the left button alone drags; with both buttons held the piece waits.
    if (button != button::Left)
        return MoveOutcome::Unchanged;
    // All five squares move by the pointer's offset from the grab point, so the
    // pressed square's grab point ends up under the pointer again.
    return moveEachSquare(index, [this, x, y](SquarePosition& s) {
        s.top = (s.top + y) - static_cast<float>(grabY_);
        s.left = (s.left + x) - grabX_;
        checkFinite(s.top);
        checkFinite(s.left);
    });
}

MoveOutcome Puzzle::cell_MouseUp(int index, int button, int /*shift*/, float /*x*/, float /*y*/)
{
    if (button != button::Left)
        return MoveOutcome::Unchanged;
    return moveEachSquare(index, [](SquarePosition& s) {
        s.top = snap(s.top);
        s.left = snap(s.left);
    });
}

} // namespace morvane
