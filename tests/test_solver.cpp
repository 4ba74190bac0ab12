// The solver: which pieces a position has on the board, the list of the empty
// board's tilings the program carries, and the completions of positions it
// gives, each checked against the plain search rather than against itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/plainsearch.h"
#include "game/index.h"
#include "solve/boardreading.h"
#include "solve/placements.h"
#include "solve/search.h"
#include "solve/tilings.h"

using namespace morvane;

namespace {

Positions startingPosition()
{
    return startingLayout(ShapeTable());
}

void put(Positions& cell, const Placement& placement)
{
    for (int k = 0; k < kSquaresPerPiece; ++k)
        cell[at(firstSquareOf(placement.piece) + k)] = squarePosition(placement, k);
}

// The offsets of a piece's squares from its square 0 as the position has them.
PieceShape shapeIn(const Positions& cell, int piece)
{
    const SquarePosition origin = cell[at(firstSquareOf(piece))];
    PieceShape shape;
    for (int k = 0; k < kSquaresPerPiece; ++k) {
        const SquarePosition s = cell[at(firstSquareOf(piece) + k)];
        shape[at(k)] = {static_cast<int>(s.left - origin.left) / kSquareTwips,
                        static_cast<int>(s.top - origin.top) / kSquareTwips};
    }
    return shape;
}

// Every shape a piece takes under the game's own turns and mirrors, numbering included.
std::vector<PieceShape> reachableShapes(int piece)
{
    std::vector<PieceShape> shapes;
    PieceShape shape = kStartingShapes[at(piece)];
    for (int mirror = 0; mirror < 2; ++mirror) {
        for (int turn = 0; turn < 4; ++turn) {
            shapes.push_back(shape);
            shape = reoriented(shape, Reorientation::QuarterTurn);
        }
        shape = reoriented(shape, Reorientation::MirrorTopToBottom);
    }
    return shapes;
}

// The carried list's tilings as placements.
const std::vector<Tiling>& carriedTilings()
{
    static const std::vector<Tiling> tilings = [] {
        std::vector<Tiling> all;
        for (const TilingCells& cells : emptyBoardTilings()) {
            Tiling& t = all.emplace_back();
            for (int p = 0; p < kPieceCount; ++p)
                t[at(p)] = placementCovering(p, cells[at(p)]).value();
        }
        return all;
    }();
    return tilings;
}

bool coversBoardOnce(const TilingCells& cells)
{
    BoardBits seen = 0;
    for (const BoardBits piece : cells) {
        if (std::popcount(piece) != kSquaresPerPiece || (seen & piece) != 0)
            return false;
        seen |= piece;
    }
    return seen == kWholeBoard;
}

// The position with the given pieces where the tiling has them, the rest where New puts them.
Positions partOf(const Tiling& tiling, const std::vector<int>& pieces)
{
    Positions cell = startingPosition();
    for (const int p : pieces)
        put(cell, tiling[at(p)]);
    return cell;
}

} // namespace

TEST(Orientations, SixtyThreeInAllEachReachableByTheGamesOwnMoves)
{
    const std::array<std::size_t, kPieceCount> expected{8, 1, 4, 4, 4, 8, 4, 4, 8, 8, 2, 8};
    std::size_t total = 0;
    for (int p = 0; p < kPieceCount; ++p) {
        const auto shapes = orientations(p);
        EXPECT_EQ(shapes.size(), expected[at(p)]) << kPieceLetters[at(p)];
        total += shapes.size();
        const auto reachable = reachableShapes(p);
        std::set<BoardBits> covered;
        for (const PieceShape& shape : shapes) {
            EXPECT_NE(std::find(reachable.begin(), reachable.end(), shape), reachable.end()) << kPieceLetters[at(p)];
            BoardBits bits = 0;
            for (const Offset& o : shape)
                bits |= boardBit(2 + o.dx, 2 + o.dy);
            covered.insert(bits);
        }
        EXPECT_EQ(covered.size(), shapes.size()) << kPieceLetters[at(p)] << ": two orientations cover the same squares";
    }
    EXPECT_EQ(total, 63u);
}

TEST(EmptyBoard, TheCarriedListHoldsEachOf9356TilingsOnceAsItsLeastImageInOrder)
{
    const auto list = emptyBoardTilings();
    ASSERT_EQ(list.size(), 2339u);
    std::set<TilingCells> every;
    std::string previous;
    for (const TilingCells& t : list) {
        ASSERT_TRUE(coversBoardOnce(t));
        const std::string line = tilingLine(t);
        EXPECT_EQ(line, canonicalLine(t));
        EXPECT_LT(previous, line);
        previous = line;
        for (int s = 0; s < kBoardSymmetries; ++s) {
            EXPECT_EQ(canonicalLine(imageOf(t, s)), line);
            every.insert(imageOf(t, s));
        }
    }
    // No tiling is its own image, so each stands for four, and a full board
    // completes only to itself.
    EXPECT_EQ(every.size(), 9356u);
    EXPECT_EQ(countCompletions(BoardReading{}), 9356u);
    for (const Tiling& t : carriedTilings()) {
        BoardReading full;
        for (int p = 0; p < kPieceCount; ++p)
            full.placed[at(p)] = t[at(p)];
        ASSERT_EQ(countCompletions(full), 1u);
    }

    // A line that is not a tiling is refused, not half read.
    std::string line = tilingLine(list.front());
    EXPECT_EQ(tilingOfLine(line), list.front());
    EXPECT_FALSE(tilingOfLine(line.substr(1)).has_value());
    line[10] = line[0];  // a letter where the rows split
    EXPECT_FALSE(tilingOfLine(line).has_value());
    line = tilingLine(list.front());
    line[line.find('I')] = 'L';  // six letters of one piece, four of another
    EXPECT_FALSE(tilingOfLine(line).has_value());
    line[0] = 'Q';
    EXPECT_FALSE(tilingOfLine(line).has_value());
}

TEST(EmptyBoard, TheSearchKeepsItsOrderStopsWhenToldAndPassesOnAFailure)
{
    std::vector<Tiling> all;
    solveEmptyBoard([&](const Tiling& t) {
        all.push_back(t);
        return true;
    });
    ASSERT_EQ(all.size(), 2339u);
    for (const Tiling& t : all)
        for (int p = 0; p < kPieceCount; ++p)
            ASSERT_EQ(t[at(p)].piece, p);

    std::vector<Tiling> first;
    solveEmptyBoard([&](const Tiling& t) {
        first.push_back(t);
        return first.size() < 100;
    });
    ASSERT_EQ(first.size(), 100u);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), all.begin()));

    // A visitor that fails, as writing a tiling to a full disk would, ends
    // the search with its error and is not called again.
    int visits = 0;
    EXPECT_THROW(solveEmptyBoard([&](const Tiling&) -> bool {
                     if (++visits == 5)
                         throw std::runtime_error("disk full");
                     return true;
                 }),
                 std::runtime_error);
    EXPECT_EQ(visits, 5);
}

TEST(ReadingTheBoard, APieceInEachOrientationWhateverItsSquaresNumbering)
{
    for (int p = 0; p < kPieceCount; ++p) {
        for (const Placement& placement : placements(p)) {
            Positions cell = startingPosition();
            put(cell, placement);
            EXPECT_EQ(readBoard(cell).placed[at(p)], placement);

            // Its five squares handed round: still the same piece on the same cells.
            auto first = cell.begin() + firstSquareOf(p);
            std::rotate(first, first + 2, first + kSquaresPerPiece);
            const auto reading = readBoard(cell);
            ASSERT_TRUE(reading.placed[at(p)].has_value());
            EXPECT_EQ(reading.placed[at(p)]->cells, placement.cells);
            EXPECT_EQ(reading.freePieces(), ((1u << kPieceCount) - 1) & ~(1u << p));
        }
    }
}

TEST(ReadingTheBoard, PiecesOffTheLatticeHalfOnOrSharingACellAreNotPlaced)
{
    const Tiling& tiling = carriedTilings().front();
    const Positions full = partOf(tiling, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    ASSERT_TRUE(readBoard(full).solved());

    Positions offLattice = full;
    offLattice[at(firstSquareOf(3) + 2)].left += 0.5f;
    offLattice[at(firstSquareOf(4))].top -= 1.0f;
    EXPECT_EQ(readBoard(offLattice).freePieces(), (1u << 3) | (1u << 4));

    // Pushed one column to the right, or one row up: what crossed the edge is off.
    BoardBits lastColumn = 0;
    BoardBits topRow = 0;
    for (int r = 0; r < kBoardRows; ++r)
        lastColumn |= boardBit(kBoardColumns - 1, r);
    for (int c = 0; c < kBoardColumns; ++c)
        topRow |= boardBit(c, 0);
    for (const auto& [dx, dy] : {std::pair{240.0f, 0.0f}, std::pair{0.0f, -240.0f}}) {
        Positions pushed = full;
        for (SquarePosition& s : pushed) {
            s.left += dx;
            s.top += dy;
        }
        const BoardReading reading = readBoard(pushed);
        for (int p = 0; p < kPieceCount; ++p) {
            const BoardBits edge = dx > 0 ? lastColumn : topRow;
            EXPECT_EQ(reading.placed[at(p)].has_value(), (tiling[at(p)].cells & edge) == 0) << kPieceLetters[at(p)];
        }
    }

    // Two squares of one piece on one cell are not its shape.
    Positions folded = full;
    folded[at(firstSquareOf(6) + 1)] = folded[at(firstSquareOf(6))];
    EXPECT_EQ(readBoard(folded).freePieces(), 1u << 6);

    // The I laid over the L and the X: it and every piece it touches are off, the rest stay.
    Positions stacked = full;
    const Placement overlapping = *std::find_if(placements(10).begin(), placements(10).end(), [&](const Placement& pl) {
        return (pl.cells & tiling[0].cells) != 0 && (pl.cells & tiling[1].cells) != 0;
    });
    put(stacked, overlapping);
    unsigned touched = 1u << 10;
    for (int p = 0; p < kPieceCount; ++p)
        if ((tiling[at(p)].cells & overlapping.cells) != 0)
            touched |= 1u << p;
    EXPECT_EQ(readBoard(stacked).freePieces(), touched);
}

TEST(Completing, TheCarriedListAnswersAsThePlainSearchDoes)
{
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {0, {1}}, {17, {10, 4}}, {400, {0, 6}}, {1000, {2, 7, 11}}, {2338, {3, 4, 5, 8, 9}},
    };
    for (const auto& [which, pieces] : cases) {
        const Positions cell = partOf(carriedTilings()[at(which)], pieces);
        const BoardReading reading = readBoard(cell);
        ASSERT_EQ(std::popcount(reading.covered()), kSquaresPerPiece * static_cast<int>(pieces.size()));

        std::set<TilingCells> completions;
        plainSearch(reading, [&](const Tiling& t) {
            completions.insert(cellsOf(t));
            return true;
        });
        ASSERT_GE(completions.size(), 1u);
        EXPECT_EQ(countCompletions(reading), completions.size()) << "tiling " << which;
        const auto first = firstCompletion(reading);
        ASSERT_TRUE(first.has_value());
        EXPECT_EQ(completions.count(cellsOf(*first)), 1u) << "tiling " << which;
    }
}

TEST(Completing, TheCompletedPositionIsSolvedAndKeepsThePlacedSquaresAsTheyLay)
{
    const Tiling& source = carriedTilings()[1234];
    Positions cell = partOf(source, {5, 9});
    std::swap(cell[at(firstSquareOf(5))], cell[at(firstSquareOf(5) + 3)]);  // numbered its own way
    const BoardReading reading = readBoard(cell);
    const auto tiling = firstCompletion(reading);
    ASSERT_TRUE(tiling.has_value());
    const Positions done = completedPositions(cell, reading, *tiling);

    EXPECT_TRUE(readBoard(done).solved());
    for (int p = 0; p < kPieceCount; ++p) {
        const auto first = at(firstSquareOf(p));
        if (p == 5 || p == 9) {
            EXPECT_TRUE(std::equal(done.begin() + first, done.begin() + first + kSquaresPerPiece, cell.begin() + first));
        } else {
            // A turn or a mirror in the game would number the squares just so.
            const auto reachable = reachableShapes(p);
            EXPECT_NE(std::find(reachable.begin(), reachable.end(), shapeIn(done, p)), reachable.end())
                << kPieceLetters[at(p)];
        }
    }
}

TEST(Completing, ADeadPositionHasNone)
{
    // The L upright in the second column, its foot in the first, walls in three cells.
    const auto walled = std::find_if(placements(0).begin(), placements(0).end(), [](const Placement& pl) {
        return pl.cells == (boardBit(1, 0) | boardBit(1, 1) | boardBit(1, 2) | boardBit(1, 3) | boardBit(0, 3));
    });
    ASSERT_NE(walled, placements(0).end());
    Positions cell = startingPosition();
    put(cell, *walled);
    const BoardReading reading = readBoard(cell);
    EXPECT_EQ(countCompletions(reading), 0u);
    bool any = false;
    plainSearch(reading, [&](const Tiling&) { return !(any = true); });
    EXPECT_FALSE(any);
    EXPECT_FALSE(firstCompletion(reading).has_value());
}
