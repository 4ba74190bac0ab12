#pragma once

// The game as it stands: where each of the 60 squares lies, the shape tables,
// the seconds counter's text and the grab point of a drag. The game window is
// a view of this and forwards every event here.

#include <array>
#include <cstdint>
#include <string>

#include "game/pieces.h"

namespace morvane {

// Top-left corner of a square in twips, single precision like the window's
// own coordinates; it may be negative or lie far beyond the window.
struct SquarePosition {
    float left = 0.0f;
    float top = 0.0f;
    friend constexpr bool operator==(SquarePosition, SquarePosition) = default;
};

using Positions = std::array<SquarePosition, kSquareCount>;

// Mouse buttons and modifier keys as the square handlers receive them.
namespace button {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
} // namespace button
namespace modifier {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace modifier

// What a mouse event did to the game.
enum class MoveOutcome {
    Unchanged,  // not a combination the game reacts to, or only the grab point changed
    Moved,      // the squares of one piece moved
    Refused     // the arithmetic would have overflowed; nothing at all changed
};

class Puzzle {
public:
    Puzzle();

    // Every piece back to its starting orientation and place, and the counter to "0".
    void NewGame();

    // One tick of the one-second timer: the counter's text goes up by one.
    void Timer1_Timer();

    const ShapeTable& tables() const { return tables_; }
    const Positions& cell() const { return cell_; }
    SquarePosition cell(int index) const;
    const std::string& caption() const { return caption_; }

    // Used when a saved position is loaded; the shape tables stay as they are.
    void setPosition(const Positions& positions, std::string caption);

    // The mouse handlers of the squares. `index` is the square receiving the
    // event, x and y the pointer in twips from that square's top-left corner.
    // An event acts only on piece index / 5, and applies all of its changes or
    // none: an event whose arithmetic would overflow changes nothing.
    MoveOutcome cell_MouseDown(int index, int button, int shift, float x, float y);
    MoveOutcome cell_MouseMove(int index, int button, int shift, float x, float y);
    MoveOutcome cell_MouseUp(int index, int button, int shift, float x, float y);

private:
    using PieceSquares = std::array<SquarePosition, kSquaresPerPiece>;

    static int pieceAt(int index);  // the piece a square belongs to; checks the index
    PieceSquares squaresOf(int piece) const;
    template <typename Step>
    MoveOutcome moveEachSquare(int index, Step step);
    void place(int piece, const PieceSquares& squares);

    ShapeTable tables_;
    Positions cell_{};
    std::string caption_ = "0";
    float grabX_ = 0.0f;
    std::int16_t grabY_ = 0;
};

// Where a coordinate comes to rest when the left button is released: on the
// 240-twip lattice. Raises Overflow where the lattice index leaves 16 bits.
float snap(float v);

// The starting place of every square.
Positions startingLayout(const ShapeTable& tables);

} // namespace morvane
