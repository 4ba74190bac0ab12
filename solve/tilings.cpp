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

// The piece of each letter a line may hold, -1 for every other character.
constexpr std::array<std::int8_t, 128> pieceOfLetterTable()
{
    std::array<std::int8_t, 128> piece{};
    piece.fill(-1);
    for (std::size_t p = 0; p < kPieceLetters.size(); ++p)
        piece[static_cast<unsigned char>(kPieceLetters[p])] = static_cast<std::int8_t>(p);
    return piece;
}

constexpr std::array<std::int8_t, 128> kPieceOfLetter = pieceOfLetterTable();

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

// A tiling of the list turned upright, with its X in the board's top-left
// quarter, each piece's cells worked out only when reading comes to them.
struct Upright {
    const TilingCells* tiling;
    int symmetry;  // that makes it of the list's tiling, and undoes itself

    BoardBits cells(int piece) const { return imageOf((*tiling)[at(piece)], symmetry); }

    int pieceOn(BoardBits cell) const
    {
        const BoardBits there = imageOf(cell, symmetry);
        int p = 0;
        while (((*tiling)[at(p)] & there) == 0)
            ++p;
        return p;
    }
};

// Reading order: the X's place first, then, filling the lowest empty board
// cell each time, the piece that covers it and its place, compared piece
// first. A search that lays the X first and then fills the lowest empty cell
// with each piece and placement in turn meets the tilings in this order.
bool readsBefore(const Upright& a, const Upright& b)
{
    // The X's places come column by column, each from the top, as its lowest cells do.
    const BoardBits x = a.cells(kX);
    if (x != b.cells(kX))
        return std::countr_zero(x) < std::countr_zero(b.cells(kX));
    for (BoardBits filled = x | ~kWholeBoard; filled != ~BoardBits{0};) {
        const BoardBits lowest = ~filled & (filled + 1);
        const int p = a.pieceOn(lowest);
        const int q = b.pieceOn(lowest);
        if (p != q)
            return p < q;
        const BoardBits cells = a.cells(p);
        if (cells != b.cells(p))
            return placementIndex(cells) < placementIndex(b.cells(p));
        filled |= cells;
    }
    return false;
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
    constexpr std::array<int, kBoardSymmetries> mirrors{0b00, 0b11, 0b10, 0b01};  // a bit for columns, one for rows
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
    struct Completion {
        Upright upright;
        int symmetry;  // that makes the completion of the upright tiling
    };
    std::optional<Completion> first;
    std::optional<Upright> upright;  // of the list's tiling last visited
    forEachCompletion(reading, [&](const TilingCells& tiling, int symmetry) {
        if (!upright || upright->tiling != &tiling) {
            upright = Upright{&tiling, 0};
            while (!xInTopLeftQuarter(upright->cells(kX)))
                ++upright->symmetry;
        }
        // The upright tiling's image under the same symmetry is the list's tiling again.
        const Completion c{*upright, composed(upright->symmetry, symmetry)};
        if (!first || (c.upright.tiling == first->upright.tiling ? c.symmetry < first->symmetry
                                                                  : readsBefore(c.upright, first->upright)))
            first = c;
    });
    if (!first)
        return std::nullopt;
    const TilingCells cells = imageOf(imageOf(*first->upright.tiling, first->upright.symmetry), first->symmetry);
    Tiling tiling;
    for (int p = 0; p < kPieceCount; ++p)
        tiling[at(p)] = *placementCovering(p, cells[at(p)]);
    return tiling;
}

} // namespace morvane
