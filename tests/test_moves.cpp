// Playing: grabbing, dragging, snapping to the lattice, turning and mirroring,
// and the promise that no mouse event can break the game.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "game/puzzle.h"
#include "game/runtime.h"
#include "support.h"

using namespace morvane;

namespace {

PieceShape shapeOf(const Puzzle& puzzle, int piece)
{
    return puzzle.tables().shape(piece);
}

SquarePosition at(const Puzzle& puzzle, int piece, int square)
{
    return puzzle.cell(firstSquareOf(piece) + square);
}

// The squares of a piece stand where its table puts them around square 0.
bool laidOutFromTable(const Puzzle& puzzle, int piece)
{
    const SquarePosition s0 = at(puzzle, piece, 0);
    for (int k = 0; k < kSquaresPerPiece; ++k) {
        const Offset o = shapeOf(puzzle, piece)[static_cast<std::size_t>(k)];
        const SquarePosition s = at(puzzle, piece, k);
        if (s.left != s0.left + 240.0f * static_cast<float>(o.dx) || s.top != s0.top + 240.0f * static_cast<float>(o.dy))
            return false;
    }
    return true;
}

void rightClick(Puzzle& puzzle, int index, int shift = 0)
{
    puzzle.cell_MouseDown(index, button::Right, shift, 100, 100);
    puzzle.cell_MouseUp(index, button::Right, shift, 100, 100);
}

} // namespace

TEST(Snap, FollowsTheLatticeTableRowByRow)
{
    const std::pair<float, float> rows[] = {
        {-400, -240}, {-360, -240}, {-359, 0}, {-121, 0},  {-120, 0},    {-119, 240},
        {-100, 240},  {0, 240},     {119, 240}, {120, 240}, {121, 240},  {359, 240},
        {360, 480},   {400, 480},   {3959, 3840}, {3960, 4080}, {32759, 32640},
    };
    for (const auto& [v, result] : rows)
        EXPECT_EQ(snap(v), result) << "v = " << v;
}

TEST(Snap, BandsAroundZeroAndHalfwayPoints)
{
    for (int v = -119; v <= 359; ++v)
        EXPECT_EQ(snap(static_cast<float>(v)), 240.0f) << v;
    for (int v = -359; v <= -120; ++v)
        EXPECT_EQ(snap(static_cast<float>(v)), 0.0f) << v;
    // Above the band a coordinate goes to the nearest multiple, a half to the larger.
    for (int v = 360; v < 5000; ++v) {
        const float expected = 240.0f * static_cast<float>((v + 120) / 240);
        EXPECT_EQ(snap(static_cast<float>(v)), expected) << v;
    }
    // The coordinate is rounded before the division, an exact half to even.
    EXPECT_EQ(snap(599.4f), 480.0f);
    EXPECT_EQ(snap(599.5f), 720.0f);  // d = 479.5 rounds up to the even 480
    EXPECT_EQ(snap(480.5f), 480.0f);  // d = 360.5 rounds down to the even 360
    EXPECT_EQ(snap(359.5f), 480.0f);
}

TEST(Snap, LatticeIndexMustFitSixteenBits)
{
    EXPECT_EQ(snap(-32999), -32640.0f);
    EXPECT_THROW(snap(32760), RuntimeError);
    EXPECT_THROW(snap(-33000), RuntimeError);
    EXPECT_THROW(snap(3e9f), RuntimeError);
}

TEST(Turning, PieceZeroFollowsTheWorkedExample)
{
    Puzzle turn, shift, ctrl;
    rightClick(turn, 0);
    rightClick(shift, 2, modifier::Shift);
    rightClick(ctrl, 4, modifier::Ctrl);
    EXPECT_EQ(shapeOf(turn, 0), (PieceShape{{{0, 0}, {-1, -1}, {-1, 0}, {1, 0}, {2, 0}}}));
    EXPECT_EQ(shapeOf(shift, 0), (PieceShape{{{0, 0}, {1, 1}, {0, 1}, {0, -1}, {0, -2}}}));
    EXPECT_EQ(shapeOf(ctrl, 0), (PieceShape{{{0, 0}, {-1, -1}, {0, -1}, {0, 1}, {0, 2}}}));
    EXPECT_TRUE(laidOutFromTable(turn, 0));
    // A square that was right of square 0 goes above it: anticlockwise on screen.
    Puzzle x;
    rightClick(x, 5);
    EXPECT_EQ(shapeOf(x, 1)[1], (Offset{0, -1}));
    EXPECT_EQ(at(x, 1, 1).top, at(x, 1, 0).top - 240);
}

TEST(Turning, AlgebraOfTurnsAndMirrorsOnEveryPiece)
{
    for (int p = 0; p < kPieceCount; ++p) {
        const int sq = firstSquareOf(p) + 3;  // any square of the piece will do
        Puzzle puzzle;
        const PieceShape start = shapeOf(puzzle, p);
        const Positions startPlaces = puzzle.cell();

        for (int i = 0; i < 4; ++i)
            rightClick(puzzle, sq);
        EXPECT_EQ(shapeOf(puzzle, p), start) << "four turns, piece " << p;
        EXPECT_EQ(puzzle.cell(), startPlaces) << "four turns, piece " << p;

        for (const int shift : {modifier::Shift, modifier::Ctrl}) {
            rightClick(puzzle, sq, shift);
            rightClick(puzzle, sq, shift);
            EXPECT_EQ(shapeOf(puzzle, p), start) << "two mirrors " << shift << ", piece " << p;
            EXPECT_EQ(puzzle.cell(), startPlaces);
        }

        Puzzle twoTurns;
        rightClick(twoTurns, sq);
        rightClick(twoTurns, sq);
        for (const auto& order : {std::pair{modifier::Shift, modifier::Ctrl}, {modifier::Ctrl, modifier::Shift}}) {
            Puzzle mirrored;
            rightClick(mirrored, sq, order.first);
            rightClick(mirrored, sq, order.second);
            EXPECT_EQ(shapeOf(mirrored, p), shapeOf(twoTurns, p)) << "piece " << p;
            EXPECT_EQ(mirrored.cell(), twoTurns.cell()) << "piece " << p;
        }
        // Square 0 never moves on a turn.
        EXPECT_EQ(at(twoTurns, p, 0), (SquarePosition{startPlaces[static_cast<std::size_t>(firstSquareOf(p))]}));
    }
}

TEST(Turning, OtherModifiersOnlyLayThePieceOutAgain)
{
    for (const int shift : {modifier::Shift | modifier::Ctrl, modifier::Alt, 7}) {
        Puzzle puzzle;
        const Positions before = puzzle.cell();
        EXPECT_EQ(puzzle.cell_MouseDown(7, button::Right, shift, 0, 0), MoveOutcome::Moved);
        EXPECT_EQ(puzzle.cell(), before);
    }
}

TEST(Turning, TurnsInPlaceOffTheLatticeAndMendsATornPiece)
{
    Puzzle puzzle;
    // A piece whose squares were squeezed together by a snap across the band at zero.
    puzzle.cell_MouseDown(50, button::Left, 0, 0, 0);
    puzzle.cell_MouseMove(50, button::Left, 0, -5200.0f - 300.0f, -4800.0f - 250.3f);
    puzzle.cell_MouseUp(50, button::Left, 0, 0, 0);
    EXPECT_FALSE(laidOutFromTable(puzzle, 10));
    EXPECT_EQ(at(puzzle, 10, 0).top, 0.0f);
    EXPECT_EQ(at(puzzle, 10, 1).left, 240.0f);  // -60 and 180 share one lattice point
    EXPECT_EQ(at(puzzle, 10, 2).left, 240.0f);

    puzzle.cell_MouseDown(52, button::Right, modifier::Alt, 0, 0);
    EXPECT_TRUE(laidOutFromTable(puzzle, 10));

    // Off the lattice the anchor's Top is brought to a whole number, its Left kept.
    Puzzle off;
    off.cell_MouseDown(0, button::Left, 0, 0, 0);
    off.cell_MouseMove(0, button::Left, 0, 10.25f, 10.5f);
    const SquarePosition anchor = at(off, 0, 0);
    off.cell_MouseDown(0, button::Right, 0, 0, 0);
    EXPECT_EQ(at(off, 0, 0).left, anchor.left);
    EXPECT_EQ(at(off, 0, 0).top, 2410.0f);  // 2410.5 to the even neighbour
    EXPECT_TRUE(laidOutFromTable(off, 0));
}

TEST(Dragging, AClickWithoutMovementSnapsAStartingPieceEightyTwipsRight)
{
    for (int p = 0; p < kPieceCount; ++p) {
        Puzzle puzzle;
        const int sq = firstSquareOf(p) + 2;
        puzzle.cell_MouseDown(sq, button::Left, 0, 37, 201);
        puzzle.cell_MouseUp(sq, button::Left, 0, 37, 201);
        for (int k = 0; k < 5; ++k) {
            const SquarePosition before = Puzzle().cell(firstSquareOf(p) + k);
            EXPECT_EQ(at(puzzle, p, k).left, before.left + 80) << "piece " << p;
            EXPECT_EQ(at(puzzle, p, k).top, before.top);
        }
    }
}

TEST(Dragging, ThePieceFollowsThePointerAndLandsOnBoardCells)
{
    Puzzle puzzle;
    // The grab point's 119.5 rounds to the even 120.
    puzzle.cell_MouseDown(11, button::Left, modifier::Alt, 100, 119.5f);
    // Drag piece 2 (square 0 at 2800, 2400) by (+1100, -1950) in two steps.
    puzzle.cell_MouseMove(11, button::Left, 0, 100 + 600, 120 - 1000);
    puzzle.cell_MouseMove(11, button::Left, modifier::Ctrl, 100 + 500, 120 - 950);
    EXPECT_EQ(at(puzzle, 2, 0).left, 3900.0f);
    EXPECT_EQ(at(puzzle, 2, 0).top, 450.0f);
    EXPECT_EQ(puzzle.cell_MouseUp(11, button::Left, 0, 0, 0), MoveOutcome::Moved);
    EXPECT_EQ(at(puzzle, 2, 0).left, 3840.0f);
    EXPECT_EQ(at(puzzle, 2, 0).top, 480.0f);
    EXPECT_TRUE(laidOutFromTable(puzzle, 2));
    // No other piece moved.
    for (int i = 0; i < kSquareCount; ++i) {
        if (pieceOf(i) != 2) {
            EXPECT_EQ(puzzle.cell(i), Puzzle().cell(i));
        }
    }
}

TEST(Dragging, OnlyTheLeftButtonAloneDragsAndOnlyItsReleaseSnaps)
{
    Puzzle puzzle;
    const Positions start = puzzle.cell();
    for (const int b : {0, button::Right, button::Middle, button::Left | button::Right, button::Left | button::Middle})
        EXPECT_EQ(puzzle.cell_MouseMove(0, b, 0, 500, 500), MoveOutcome::Unchanged) << b;
    for (const int b : {button::Right, button::Middle})
        EXPECT_EQ(puzzle.cell_MouseUp(0, b, 0, 500, 500), MoveOutcome::Unchanged) << b;
    EXPECT_EQ(puzzle.cell_MouseDown(0, button::Middle, 0, 500, 500), MoveOutcome::Unchanged);
    EXPECT_EQ(puzzle.cell(), start);
    // The middle press set no grab point: a left move measures from (0, 0).
    puzzle.cell_MouseMove(0, button::Left, 0, 500, 500);
    EXPECT_EQ(puzzle.cell(0).left, start[0].left + 500.0f);
}

TEST(Dragging, RightPressMidDragTurnsAndTheNextLeftMoveCatchesUp)
{
    Puzzle puzzle;
    const int sq = 2;  // piece 0, square 2 at (400, 2160)
    puzzle.cell_MouseDown(sq, button::Left, 0, 120, 120);
    puzzle.cell_MouseMove(sq, button::Left, 0, 120 + 240, 120);
    ASSERT_EQ(at(puzzle, 0, 0).left, 640.0f);

    puzzle.cell_MouseDown(sq, button::Right, 0, 120, 120);
    const Positions turned = puzzle.cell();
    EXPECT_TRUE(laidOutFromTable(puzzle, 0));
    // Square 2 went from above square 0 to its left.
    EXPECT_EQ(at(puzzle, 0, 2).left, 400.0f);
    EXPECT_EQ(at(puzzle, 0, 2).top, 2400.0f);

    // Both buttons held: nothing moves however the pointer goes.
    puzzle.cell_MouseMove(sq, button::Left | button::Right, 0, 900, -700);
    EXPECT_EQ(puzzle.cell(), turned);
    EXPECT_EQ(puzzle.cell_MouseUp(sq, button::Right, 0, 900, -700), MoveOutcome::Unchanged);
    EXPECT_EQ(puzzle.cell(), turned);

    // Left alone again: the pressed square jumps so its grab point is under the pointer.
    const float pointerX = at(puzzle, 0, 2).left + 900, pointerY = at(puzzle, 0, 2).top - 700;
    puzzle.cell_MouseMove(sq, button::Left, 0, 900, -700);
    EXPECT_EQ(at(puzzle, 0, 2).left + 120, pointerX);
    EXPECT_EQ(at(puzzle, 0, 2).top + 120, pointerY);
    EXPECT_TRUE(laidOutFromTable(puzzle, 0));
}

TEST(Overflow, AnEventThatWouldOverflowChangesNothing)
{
    Puzzle puzzle;
    // Drag piece 0 so its lowest square lies beyond the lattice's reach.
    puzzle.cell_MouseDown(0, button::Left, 0, 0, 0);
    puzzle.cell_MouseMove(0, button::Left, 0, 0, 30300);
    const Positions dragged = puzzle.cell();
    EXPECT_EQ(puzzle.cell_MouseUp(0, button::Left, 0, 0, 0), MoveOutcome::Refused);
    EXPECT_EQ(puzzle.cell(), dragged);  // not even the squares that would have snapped

    // A turn that would put a square two rows below a square 0 at Top 32640.
    Puzzle high;
    high.cell_MouseDown(0, button::Left, 0, 0, 0);
    high.cell_MouseMove(0, button::Left, 0, 0, 32640 - 2400);
    ASSERT_EQ(at(high, 0, 0).top, 32640.0f);
    const Positions highPlaces = high.cell();
    // One turn lays piece 0 flat in rows -1 and 0, which fit; the next would
    // need row 1, at 32640 + 240.
    EXPECT_EQ(high.cell_MouseDown(0, button::Right, 0, 0, 0), MoveOutcome::Moved);
    const Positions turnedPlaces = high.cell();
    EXPECT_EQ(high.cell_MouseDown(0, button::Right, 0, 0, 0), MoveOutcome::Refused);
    EXPECT_EQ(high.cell(), turnedPlaces);
    EXPECT_NE(highPlaces, turnedPlaces);
    // Back within reach, the next turn is the second, not the third.
    high.cell_MouseMove(0, button::Left, 0, 0, -30000);
    rightClick(high, 0);
    Puzzle twice;
    rightClick(twice, 0);
    rightClick(twice, 0);
    EXPECT_EQ(shapeOf(high, 0), shapeOf(twice, 0));

    // A grab point that does not fit 16 bits: the old grab point stays.
    Puzzle grab;
    grab.cell_MouseDown(0, button::Left, 0, 5, 6);
    const Positions grabbed = grab.cell();
    EXPECT_EQ(grab.cell_MouseDown(0, button::Left, 0, 7, 40000), MoveOutcome::Refused);
    grab.cell_MouseMove(0, button::Left, 0, 5, 6);
    EXPECT_EQ(grab.cell(), grabbed);
}

TEST(Robustness, RandomEventsNeverBreakTheGame)
{
    std::mt19937 random(20261207);
    Puzzle puzzle;
    const auto pick = [&](std::initializer_list<int> values) {
        return *(values.begin() + std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(random));
    };
    const auto coordinate = [&]() -> float {
        switch (random() % 4) {
        case 0: return std::uniform_real_distribution<float>(-300, 600)(random);
        case 1: return std::uniform_real_distribution<float>(-40000, 40000)(random);
        case 2: return std::uniform_real_distribution<float>(-3e38f, 3e38f)(random);
        default: return static_cast<float>(pick({0, 120, 240, -120, 32767, -32768}));
        }
    };
    int moved = 0, refused = 0;
    for (int n = 0; n < 200000; ++n) {
        const int index = static_cast<int>(random() % 60);
        const int shift = static_cast<int>(random() % 8);
        const float x = coordinate(), y = coordinate();
        MoveOutcome outcome{};
        switch (random() % 3) {
        case 0: outcome = puzzle.cell_MouseDown(index, pick({1, 2, 4}), shift, x, y); break;
        case 1: outcome = puzzle.cell_MouseMove(index, pick({0, 1, 1, 1, 2, 3, 4, 5}), shift, x, y); break;
        default: outcome = puzzle.cell_MouseUp(index, pick({1, 2, 4}), shift, x, y); break;
        }
        moved += outcome == MoveOutcome::Moved;
        refused += outcome == MoveOutcome::Refused;
        if (n % 5000 == 0)
            puzzle.NewGame();
    }
    EXPECT_GT(moved, 1000);
    EXPECT_GT(refused, 100);
    for (int p = 0; p < kPieceCount; ++p)
        EXPECT_TRUE(morvane::testing::isPentomino(shapeOf(puzzle, p))) << "piece " << p;
    for (const SquarePosition& s : puzzle.cell()) {
        EXPECT_TRUE(std::isfinite(s.left));
        EXPECT_TRUE(std::isfinite(s.top));
    }
    EXPECT_EQ(puzzle.cell_MouseDown(60, button::Right, 0, 0, 0), MoveOutcome::Refused);
    EXPECT_EQ(puzzle.cell_MouseMove(-1, button::Left, 0, 0, 0), MoveOutcome::Refused);
}
