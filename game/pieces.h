#pragma once

// The twelve pieces: their starting shapes, their colours, and the shape
// tables PieceDX / PieceDY that hold every piece's current orientation as
// offsets of its five squares from its square 0.

#include <array>
#include <cstdint>

namespace morvane {

inline constexpr int kPieceCount = 12;
inline constexpr int kSquaresPerPiece = 5;
inline constexpr int kSquareCount = kPieceCount * kSquaresPerPiece;
inline constexpr int kSquareTwips = 240;  // one square, and one step of the lattice

// Square i belongs to piece i / 5 and is that piece's square number i % 5;
// square 5p is piece p's reference square, its square 0.
constexpr int pieceOf(int square) { return square / kSquaresPerPiece; }
constexpr int squareNumberOf(int square) { return square % kSquaresPerPiece; }
constexpr int firstSquareOf(int piece) { return piece * kSquaresPerPiece; }

// Offset of a square from its piece's square 0, in whole squares; dy grows downwards.
struct Offset {
    int dx = 0;
    int dy = 0;
    friend constexpr bool operator==(Offset, Offset) = default;
};

using PieceShape = std::array<Offset, kSquaresPerPiece>;

// The orientation every piece starts in, square 0 first.
inline constexpr std::array<PieceShape, kPieceCount> kStartingShapes{{
    {{{0, 0}, {1, -1}, {0, -1}, {0, 1}, {0, 2}}},     // L
    {{{0, 0}, {1, 0}, {0, 1}, {0, -1}, {-1, 0}}},     // X
    {{{0, 0}, {1, 0}, {1, 1}, {-1, 0}, {-1, 1}}},     // U
    {{{0, 0}, {1, 0}, {-1, 0}, {0, -1}, {0, -2}}},    // T
    {{{0, 0}, {0, 1}, {1, 1}, {0, -1}, {-1, -1}}},    // Z
    {{{0, 0}, {1, 0}, {0, 1}, {0, 2}, {0, -1}}},      // Y
    {{{0, 0}, {1, 0}, {2, 0}, {0, -1}, {0, -2}}},     // V
    {{{0, 0}, {-1, 0}, {-1, 1}, {0, -1}, {1, -1}}},   // W
    {{{0, 0}, {1, 0}, {0, 1}, {-1, 1}, {-1, 0}}},     // P
    {{{0, 0}, {0, 1}, {1, 1}, {-1, 0}, {-2, 0}}},     // N
    {{{0, 0}, {1, 0}, {2, 0}, {-1, 0}, {-2, 0}}},     // I
    {{{0, 0}, {1, 0}, {0, 1}, {0, 2}, {-1, 1}}},      // F
}};

// The letter each piece is known by, for the shape it has in any orientation.
inline constexpr std::array<char, kPieceCount> kPieceLetters{'L', 'X', 'U', 'T', 'Z', 'Y', 'V', 'W', 'P', 'N', 'I', 'F'};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The 16-colour console palette, numbered 0 to 15.
inline constexpr std::array<Rgb, 16> kQBColor{{
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0x80}, {0x00, 0x80, 0x00}, {0x00, 0x80, 0x80},
    {0x80, 0x00, 0x00}, {0x80, 0x00, 0x80}, {0x80, 0x80, 0x00}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0x00, 0x00, 0xFF}, {0x00, 0xFF, 0x00}, {0x00, 0xFF, 0xFF},
    {0xFF, 0x00, 0x00}, {0xFF, 0x00, 0xFF}, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF},
}};

// Piece p wears palette entry p.
constexpr Rgb pieceColour(int piece) { return kQBColor.at(static_cast<std::size_t>(piece)); }

// What a right-button press does to a piece's table entries.
enum class Reorientation {
    QuarterTurn,        // (dx, dy) -> (dy, -dx): anticlockwise on screen
    MirrorTopToBottom,  // dy -> -dy (Shift)
    MirrorLeftToRight,  // dx -> -dx (Ctrl)
    Keep                // any other modifier: the entries stay
};

// The shape tables. Column offsets behave like the runtime's variants, whose
// arithmetic widens rather than overflows, so they are kept as 32-bit values;
// row offsets are checked 16-bit integers. Every access checks both indices.
class ShapeTable {
public:
    ShapeTable() { reset(); }

    // Back to the starting orientation of every piece.
    void reset();

    std::int32_t PieceDX(int piece, int square) const;
    std::int16_t PieceDY(int piece, int square) const;

    PieceShape shape(int piece) const;
    void setShape(int piece, const PieceShape& shape);

    friend bool operator==(const ShapeTable&, const ShapeTable&) = default;

private:
    static void checkIndices(int piece, int square);

    std::array<std::array<std::int32_t, kSquaresPerPiece>, kPieceCount> dx_{};
    std::array<std::array<std::int16_t, kSquaresPerPiece>, kPieceCount> dy_{};
};

// The shape a piece takes after the given reorientation; square 0 keeps (0, 0).
// Raises Overflow where a negated column offset no longer fits a row offset.
PieceShape reoriented(const PieceShape& shape, Reorientation how);

} // namespace morvane
