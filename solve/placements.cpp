#include "solve/placements.h"

#include <algorithm>
#include <vector>

#include "game/index.h"

namespace morvane {

namespace {

// The squares of a shape as a sorted list of offsets from its top-left corner,
// so two orientations compare equal exactly when they cover the same squares.
std::array<Offset, kSquaresPerPiece> normalised(const PieceShape& shape)
{
    int left = shape[0].dx;
    int top = shape[0].dy;
    for (const Offset& o : shape) {
        left = std::min(left, o.dx);
        top = std::min(top, o.dy);
    }
    std::array<Offset, kSquaresPerPiece> squares{};
    for (std::size_t k = 0; k < squares.size(); ++k)
        squares[k] = {shape[k].dx - left, shape[k].dy - top};
    std::sort(squares.begin(), squares.end(),
              [](Offset a, Offset b) { return a.dy != b.dy ? a.dy < b.dy : a.dx < b.dx; });
    return squares;
}

// Each piece's orientations and every way it lies on the board, worked out
// once from the starting shapes.
struct PieceLayouts {
    std::array<std::vector<PieceShape>, kPieceCount> orientations;
    std::array<std::vector<Placement>, kPieceCount> placements;

    PieceLayouts()
    {
        for (int p = 0; p < kPieceCount; ++p)
            addPiece(p);
    }

    // Mirrors come after the four turns, so each orientation is reached with
    // as few of the game's right-button presses as the shape allows.
    void addPiece(int p)
    {
        std::vector<PieceShape>& kept = orientations[at(p)];
        std::vector<std::array<Offset, kSquaresPerPiece>> seen;
        PieceShape shape = kStartingShapes[at(p)];
        for (int mirror = 0; mirror < 2; ++mirror) {
            for (int turn = 0; turn < 4; ++turn) {
                const auto squares = normalised(shape);
                if (std::find(seen.begin(), seen.end(), squares) == seen.end()) {
                    seen.push_back(squares);
                    kept.push_back(shape);
                }
                shape = reoriented(shape, Reorientation::QuarterTurn);
            }
            shape = reoriented(shape, Reorientation::MirrorLeftToRight);
        }
        for (int o = 0; o < static_cast<int>(kept.size()); ++o) {
            for (int column = 0; column < kBoardColumns; ++column) {
                for (int row = 0; row < kBoardRows; ++row) {
                    BoardBits bits = 0;
                    for (const Offset& d : kept[at(o)]) {
                        const int c = column + d.dx;
                        const int r = row + d.dy;
                        if (c < 0 || c >= kBoardColumns || r < 0 || r >= kBoardRows) {
                            bits = 0;
                            break;
                        }
                        bits |= boardBit(c, r);
                    }
                    if (bits != 0)
                        placements[at(p)].push_back({p, o, column, row, bits});
                }
            }
        }
    }
};

const PieceLayouts& pieceLayouts()
{
    static const PieceLayouts layouts;
    return layouts;
}

} // namespace

std::span<const PieceShape> orientations(int piece)
{
    return pieceLayouts().orientations.at(at(piece));
}

std::span<const Placement> placements(int piece)
{
    return pieceLayouts().placements.at(at(piece));
}

std::optional<Placement> placementCovering(int piece, BoardBits cells)
{
    for (const Placement& p : placements(piece))
        if (p.cells == cells)
            return p;
    return std::nullopt;
}

SquarePosition squarePosition(const Placement& placement, int square)
{
    const Offset d = orientations(placement.piece)[at(placement.orientation)][at(square)];
    return {static_cast<float>(kBoardLeft + kSquareTwips * (placement.column + d.dx)),
            static_cast<float>(kBoardTop + kSquareTwips * (placement.row + d.dy))};
}

} // namespace morvane
