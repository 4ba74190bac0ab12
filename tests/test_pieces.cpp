// The piece set: the shape tables, their starting contents, the colours, and
// New Game's starting layout below the board.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/board.h"
#include "game/puzzle.h"
#include "game/runtime.h"
#include "support.h"

using namespace morvane;

TEST(ShapeTable, StartsWithTwelveDistinctPentominoes)
{
    const ShapeTable tables;
    std::set<std::set<std::pair<int, int>>> normalisedShapes;
    for (int p = 0; p < kPieceCount; ++p) {
        const PieceShape shape = tables.shape(p);
        EXPECT_EQ(shape, kStartingShapes[static_cast<std::size_t>(p)]);
        EXPECT_EQ(shape[0], (Offset{0, 0})) << "piece " << p;
        EXPECT_TRUE(morvane::testing::isPentomino(shape)) << "piece " << p;
        std::set<std::pair<int, int>> squares;
        for (const Offset o : shape) {
            EXPECT_LE(std::abs(o.dx), 2);
            EXPECT_LE(std::abs(o.dy), 2);
            squares.insert({o.dx, o.dy});
        }
        EXPECT_EQ(squares.size(), 5u) << "piece " << p;

        // No two pieces are the same shape under any turn or mirror.
        std::set<std::pair<int, int>> canonical;
        for (int m = 0; m < 8; ++m) {
            PieceShape s = shape;
            for (int t = 0; t < m % 4; ++t)
                s = reoriented(s, Reorientation::QuarterTurn);
            if (m >= 4)
                s = reoriented(s, Reorientation::MirrorLeftToRight);
            std::set<std::pair<int, int>> v;
            const auto minX = std::min_element(s.begin(), s.end(), [](Offset a, Offset b) { return a.dx < b.dx; })->dx;
            const auto minY = std::min_element(s.begin(), s.end(), [](Offset a, Offset b) { return a.dy < b.dy; })->dy;
            for (const Offset o : s)
                v.insert({o.dx - minX, o.dy - minY});
            if (canonical.empty() || v < canonical)
                canonical = v;
        }
        normalisedShapes.insert(canonical);
    }
    EXPECT_EQ(normalisedShapes.size(), 12u);
}

TEST(ShapeTable, EveryAccessChecksBothIndices)
{
    const ShapeTable tables;
    EXPECT_EQ(tables.PieceDX(0, 1), 1);
    EXPECT_EQ(tables.PieceDY(0, 1), -1);
    EXPECT_EQ(tables.PieceDX(11, 4), -1);
    EXPECT_EQ(tables.PieceDY(11, 4), 1);
    for (const auto& [p, c] : {std::pair{-1, 0}, {12, 0}, {0, -1}, {0, 5}}) {
        EXPECT_THROW(static_cast<void>(tables.PieceDX(p, c)), RuntimeError);
        EXPECT_THROW(static_cast<void>(tables.PieceDY(p, c)), RuntimeError);
    }
}

TEST(Colours, EachPieceWearsItsPaletteEntry)
{
    EXPECT_EQ(pieceColour(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(pieceColour(4), (Rgb{0x80, 0, 0}));
    EXPECT_EQ(pieceColour(7), (Rgb{0xC0, 0xC0, 0xC0}));
    EXPECT_EQ(pieceColour(9), (Rgb{0, 0, 0xFF}));
    EXPECT_EQ(pieceColour(10), (Rgb{0, 0xFF, 0}));
    EXPECT_EQ(pieceColour(11), (Rgb{0, 0xFF, 0xFF}));
    std::set<std::tuple<int, int, int>> distinct;
    for (int p = 0; p < kPieceCount; ++p)
        distinct.insert({pieceColour(p).red, pieceColour(p).green, pieceColour(p).blue});
    EXPECT_EQ(distinct.size(), 12u);
}

TEST(StartingLayout, ReferenceSquaresStandInTwoRowsOfSix)
{
    const Puzzle puzzle;
    for (int p = 0; p < kPieceCount; ++p) {
        const SquarePosition s0 = puzzle.cell(firstSquareOf(p));
        EXPECT_EQ(s0.top, p < 6 ? 2400.0f : 4800.0f) << "piece " << p;
        EXPECT_EQ(s0.left, 400.0f + 1200.0f * static_cast<float>(p % 6)) << "piece " << p;
    }
    // Every other square follows from its offsets.
    for (int i = 0; i < kSquareCount; ++i) {
        const SquarePosition s0 = puzzle.cell(firstSquareOf(pieceOf(i)));
        const Offset o = kStartingShapes[static_cast<std::size_t>(pieceOf(i))][static_cast<std::size_t>(squareNumberOf(i))];
        EXPECT_EQ(puzzle.cell(i).left, s0.left + 240.0f * static_cast<float>(o.dx)) << "square " << i;
        EXPECT_EQ(puzzle.cell(i).top, s0.top + 240.0f * static_cast<float>(o.dy)) << "square " << i;
    }
}

TEST(StartingLayout, LiesBelowTheBoardOffTheLatticeWithNoPiecesTouching)
{
    const Puzzle puzzle;
    float minLeft = 1e9f, maxRight = -1e9f, minTop = 1e9f, maxBottom = -1e9f;
    std::set<std::pair<float, float>> places;
    for (int i = 0; i < kSquareCount; ++i) {
        const SquarePosition s = puzzle.cell(i);
        minLeft = std::min(minLeft, s.left);
        maxRight = std::max(maxRight, s.left + 240);
        minTop = std::min(minTop, s.top);
        maxBottom = std::max(maxBottom, s.top + 240);
        EXPECT_EQ(static_cast<int>(s.top) % 240, 0);
        EXPECT_EQ((static_cast<int>(s.left) - 400) % 240, 0);
        EXPECT_GT(s.top, static_cast<float>(kBoardBottom));
        places.insert({s.left, s.top});
    }
    EXPECT_EQ(places.size(), 60u);
    EXPECT_EQ(minLeft, 400.0f);
    EXPECT_EQ(maxRight, 6880.0f);
    EXPECT_EQ(minTop, 1920.0f);
    EXPECT_EQ(maxBottom, 5520.0f);

    // Squares of different pieces never share an edge or a corner... at least never an edge.
    for (int i = 0; i < kSquareCount; ++i) {
        for (int j = 0; j < kSquareCount; ++j) {
            if (pieceOf(i) == pieceOf(j))
                continue;
            const float dx = std::abs(puzzle.cell(i).left - puzzle.cell(j).left);
            const float dy = std::abs(puzzle.cell(i).top - puzzle.cell(j).top);
            EXPECT_FALSE((dx == 240 && dy == 0) || (dx == 0 && dy == 240)) << i << " touches " << j;
        }
    }
}

TEST(StartingLayout, ExtremesOfTheStraightAndTallPieces)
{
    const Puzzle puzzle;
    auto lefts = [&](int p) {
        std::vector<float> v;
        for (int k = 0; k < 5; ++k)
            v.push_back(puzzle.cell(firstSquareOf(p) + k).left);
        return std::pair{*std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end())};
    };
    EXPECT_EQ(lefts(10), (std::pair{4720.0f, 5680.0f}));
    EXPECT_EQ(lefts(9).second, 4000.0f + 240.0f);  // the N reaches two squares left, one right
    EXPECT_EQ(lefts(9).first, 4000.0f - 480.0f);
    EXPECT_EQ(puzzle.cell(firstSquareOf(3) + 4).top, 1920.0f);
    EXPECT_EQ(puzzle.cell(firstSquareOf(6) + 4).top, 4320.0f);
    EXPECT_EQ(puzzle.cell(firstSquareOf(0) + 4).top, 2880.0f);
    EXPECT_EQ(puzzle.cell(firstSquareOf(5) + 3).top, 2880.0f);
    EXPECT_EQ(puzzle.cell(firstSquareOf(11) + 3).top, 5280.0f);
}

TEST(NewGame, RestoresShapesPlacesAndCounterAfterPlay)
{
    Puzzle puzzle;
    const Positions startPlaces = puzzle.cell();
    puzzle.cell_MouseDown(3, button::Right, 0, 10, 10);
    puzzle.cell_MouseDown(27, button::Right, modifier::Shift, 10, 10);
    puzzle.cell_MouseDown(58, button::Left, 0, 10, 10);
    puzzle.cell_MouseMove(58, button::Left, 0, -3000, 700);
    puzzle.cell_MouseUp(58, button::Left, 0, 0, 0);
    for (int t = 0; t < 57; ++t)
        puzzle.Timer1_Timer();
    ASSERT_NE(puzzle.cell(), startPlaces);
    ASSERT_EQ(puzzle.caption(), "57");

    puzzle.NewGame();
    EXPECT_EQ(puzzle.cell(), startPlaces);
    EXPECT_EQ(puzzle.caption(), "0");
    puzzle.Timer1_Timer();
    EXPECT_EQ(puzzle.caption(), "1");
}

TEST(Counter, CountsOnFromWhateverTheCaptionSays)
{
    Puzzle puzzle;
    for (int t = 0; t < 9; ++t)
        puzzle.Timer1_Timer();
    EXPECT_EQ(puzzle.caption(), "9");
    puzzle.Timer1_Timer();
    EXPECT_EQ(puzzle.caption(), "10");

    const auto next = [&](std::string caption) {
        puzzle.setPosition(puzzle.cell(), std::move(caption));
        puzzle.Timer1_Timer();
        return puzzle.caption();
    };
    EXPECT_EQ(next("abc"), "1");
    EXPECT_EQ(next("12abc"), "13");
    EXPECT_EQ(next(" 7"), "8");
    EXPECT_EQ(next(""), "1");
    EXPECT_EQ(next("-1"), "0");
    EXPECT_EQ(next("1.5"), "2.5");
    EXPECT_EQ(next("1e400"), "1");  // beyond a double: counts on from 0
    EXPECT_EQ(next("999999999999999"), "1E+15");
}
