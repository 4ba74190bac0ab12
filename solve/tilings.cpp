#include "solve/tilings.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <utility>
#include <vector>

#include "game/index.h"

namespace morvane {

namespace {

constexpr int kX = 1;
constexpr std::size_t kLineLength = kBoardRows * (kBoardColumns + 1) - 1;

constexpr std::size_t letterAt(int column, int row)
{
    return at(row * (kBoardColumns + 1) + column);
}

constexpr std::array<std::int8_t, 128> kPieceOfLetter = [] {
    std::array<std::int8_t, 128> piece{};
    piece.fill(-1);
    for (std::size_t p = 0; p < kPieceLetters.size(); ++p)
        piece[static_cast<unsigned char>(kPieceLetters[p])] = static_cast<std::int8_t>(p);
    return piece;
}();

// The list as the generator wrote it.
constexpr std::string_view kEmptyBoardTilings[] = {
#include "solve/emptyboard-tilings.inc"
};

// A piece's place: where its placement covering these cells comes in placements().
std::uint16_t placementIndex(BoardBits cells)
{
    static const auto indices = [] {
        std::vector<std::pair<BoardBits, std::uint16_t>> all;
        for (int p = 0; p < kPieceCount; ++p) {
            const auto each = placements(p);
            for (std::size_t i = 0; i < each.size(); ++i)
                all.emplace_back(each[i].cells, static_cast<std::uint16_t>(i));
        }
        // No two pieces share a shape, so the cells alone name a placement.
        std::sort(all.begin(), all.end());
        return all;
    }();
    const auto found = std::lower_bound(indices.begin(), indices.end(), std::pair{cells, std::uint16_t{0}});
    return found->second;
}

// A tiling's place in reading order: the X's place first, then, filling the
// lowest empty board cell each time, the piece that covers it and its place,
// compared piece first. A search that lays the X first and then fills the
// lowest empty cell with each piece and placement in turn meets the tilings
// in this order.
using ReadingKey = std::array<std::uint32_t, kPieceCount>;

ReadingKey readingKey(const TilingCells& cells)
{
    ReadingKey key{};
    key[0] = placementIndex(cells[kX]);
    BoardBits filled = cells[kX] | ~kWholeBoard;
    for (std::size_t k = 1; k < key.size(); ++k) {
        const BoardBits lowest = ~filled & (filled + 1);
        int p = 0;
        while ((cells[at(p)] & lowest) == 0)
            ++p;
        key[k] = static_cast<std::uint32_t>(p) << 16 | placementIndex(cells[at(p)]);
        filled |= cells[at(p)];
    }
    return key;
}

// The X's centre is one column right of its lowest board cell.
bool xInTopLeftQuarter(BoardBits x)
{
    const int centre = std::countr_zero(x) + kBoardRows;
    return centre / kBoardRows < kBoardColumns / 2 && centre % kBoardRows < kBoardRows / 2;
}

// Each tiling of the board, images included, that holds every piece the
// reading has on the board where it lies: visit(tiling, symmetry), with the
// tiling as the list has it.
template <typename Visit>
void forEachCompletion(const BoardReading& reading, Visit visit)
{
    std::array<std::pair<std::size_t, BoardBits>, kPieceCount> placed{};
    std::size_t count = 0;
    for (int p = 0; p < kPieceCount; ++p)
        if (reading.placed[at(p)])
            placed[count++] = {at(p), reading.placed[at(p)]->cells};
    for (const TilingCells& tiling : emptyBoardTilings()) {
        for (int symmetry = 0; symmetry < kBoardSymmetries; ++symmetry) {
            const auto holds = [&](const std::pair<std::size_t, BoardBits>& piece) {
                return imageOf(tiling[piece.first], symmetry) == piece.second;
            };
            if (std::all_of(placed.begin(), placed.begin() + static_cast<std::ptrdiff_t>(count), holds))
                visit(tiling, symmetry);
        }
    }
}

// Symmetries compose as their mirrors do: two mirrors of one axis undo each other.
constexpr int composed(int first, int then)
{
    constexpr std::array<int, kBoardSymmetries> mirrors{0b00, 0b11, 0b01, 0b10};  // columns, rows
    const int both = mirrors[at(first)] ^ mirrors[at(then)];
    return static_cast<int>(std::find(mirrors.begin(), mirrors.end(), both) - mirrors.begin());
}

} // namespace

TilingCells cellsOf(const Tiling& tiling)
{
    TilingCells cells{};
    for (std::size_t p = 0; p < cells.size(); ++p)
        cells[p] = tiling[p].cells;
    return cells;
}

BoardBits imageOf(BoardBits cells, int symmetry)
{
    const bool mirrorColumns = symmetry == 1 || symmetry == 2;
    const bool mirrorRows = symmetry == 1 || symmetry == 3;
    BoardBits image = 0;
    for (; cells != 0; cells &= cells - 1) {
        const int i = std::countr_zero(cells);
        const int column = i / kBoardRows;
        const int row = i % kBoardRows;
        image |= boardBit(mirrorColumns ? kBoardColumns - 1 - column : column, mirrorRows ? kBoardRows - 1 - row : row);
    }
    return image;
}

TilingCells imageOf(const TilingCells& cells, int symmetry)
{
    TilingCells image{};
    for (std::size_t p = 0; p < cells.size(); ++p)
        image[p] = imageOf(cells[p], symmetry);
    return image;
}

std::string tilingLine(const TilingCells& cells)
{
    std::string line(kLineLength, '/');
    for (std::size_t p = 0; p < cells.size(); ++p) {
        for (BoardBits rest = cells[p]; rest != 0; rest &= rest - 1) {
            const int i = std::countr_zero(rest);
            line[letterAt(i / kBoardRows, i % kBoardRows)] = kPieceLetters[p];
        }
    }
    return line;
}

std::optional<TilingCells> tilingOfLine(std::string_view line)
{
    if (line.size() != kLineLength)
        return std::nullopt;
    TilingCells cells{};
    for (int row = 0; row < kBoardRows; ++row) {
        if (row > 0 && line[letterAt(0, row) - 1] != '/')
            return std::nullopt;
        for (int column = 0; column < kBoardColumns; ++column) {
            const auto letter = static_cast<unsigned char>(line[letterAt(column, row)]);
            const int p = letter < kPieceOfLetter.size() ? kPieceOfLetter[letter] : -1;
            if (p < 0)
                return std::nullopt;
            cells[at(p)] |= boardBit(column, row);
        }
    }
    for (const BoardBits piece : cells)
        if (std::popcount(piece) != kSquaresPerPiece)
            return std::nullopt;
    return cells;
}

std::string canonicalLine(const TilingCells& cells)
{
    std::string least = tilingLine(cells);
    for (int symmetry = 1; symmetry < kBoardSymmetries; ++symmetry)
        least = std::min(least, tilingLine(imageOf(cells, symmetry)));
    return least;
}

// Read once, on first use; the lines are the generator's own, so each is a tiling.
std::span<const TilingCells> emptyBoardTilings()
{
    static const std::vector<TilingCells> all = [] {
        std::vector<TilingCells> cells;
        cells.reserve(std::size(kEmptyBoardTilings));
        for (const std::string_view line : kEmptyBoardTilings)
            cells.push_back(tilingOfLine(line).value());
        return cells;
    }();
    return all;
}

std::uint64_t countCompletions(const BoardReading& reading)
{
    std::uint64_t count = 0;
    forEachCompletion(reading, [&](const TilingCells&, int) { ++count; });
    return count;
}

std::optional<Tiling> firstCompletion(const BoardReading& reading)
{
    struct Candidate {
        ReadingKey key;
        int symmetry;  // from the upright tiling to the completion
        TilingCells upright;
    };
    std::optional<Candidate> best;
    std::optional<Candidate> upright;  // of the tiling last visited
    int toUpright = 0;
    const TilingCells* last = nullptr;
    forEachCompletion(reading, [&](const TilingCells& tiling, int symmetry) {
        if (&tiling != last) {
            last = &tiling;
            toUpright = 0;
            while (!xInTopLeftQuarter(imageOf(tiling[kX], toUpright)))
                ++toUpright;
            const TilingCells cells = imageOf(tiling, toUpright);
            upright = Candidate{readingKey(cells), 0, cells};
        }
        // The list's tiling is the upright one's image under the same
        // symmetry that makes the upright one of it.
        Candidate candidate = *upright;
        candidate.symmetry = composed(toUpright, symmetry);
        if (!best || std::pair{candidate.key, candidate.symmetry} < std::pair{best->key, best->symmetry})
            best = candidate;
    });
    if (!best)
        return std::nullopt;
    const TilingCells cells = imageOf(best->upright, best->symmetry);
    Tiling tiling;
    for (int p = 0; p < kPieceCount; ++p)
        tiling[at(p)] = *placementCovering(p, cells[at(p)]);
    return tiling;
}

} // namespace morvane
