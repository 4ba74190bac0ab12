// The yardstick for the solver's rows in `make bench`: the plainest search
// that finds the same answers. It fills the lowest empty cell first and does
// nothing else: no pruning, no use of the board's symmetry (so the empty
// board's 2339 come out as all 9356 tilings, a quarter of which it counts),
// no tables beyond one list of placements per cell.
//
// Usage: solve-reference all | count FILE | complete FILE OUT

#include <bit>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "game/positionfile.h"
#include "solve/solver.h"

namespace {

using namespace morvane;

struct Reference {
    std::array<std::vector<const Placement*>, kBoardCells> byLowestCell;
    std::array<const Placement*, kPieceCount> chosen{};
    std::uint64_t found = 0;
    bool firstOnly = false;

    Reference()
    {
        for (int p = 0; p < kPieceCount; ++p)
            for (const Placement& pl : placements(p))
                byLowestCell[static_cast<std::size_t>(std::countr_zero(pl.cells))].push_back(&pl);
    }

    bool run(BoardBits filled, unsigned free)
    {
        if (free == 0) {
            ++found;
            return !firstOnly;
        }
        for (const Placement* pl : byLowestCell[static_cast<std::size_t>(std::countr_zero(~filled))]) {
            if ((free & (1u << pl->piece)) == 0 || (pl->cells & filled) != 0)
                continue;
            chosen[static_cast<std::size_t>(pl->piece)] = pl;
            if (!run(filled | pl->cells, free & ~(1u << pl->piece)))
                return false;
        }
        return true;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    Reference search;
    if (argc == 2 && std::strcmp(argv[1], "all") == 0) {
        search.run(~kWholeBoard, (1u << kPieceCount) - 1);
        std::printf("%llu\n", static_cast<unsigned long long>(search.found / kBoardSymmetries));
        return 0;
    }
    if (argc < 3)
        return 2;
    std::ifstream in(argv[2], std::ios::binary);
    const auto position = readPositionFile(in);
    if (!position)
        return 2;
    const BoardReading reading = readBoard(position->cell);
    for (const auto& placed : reading.placed)
        if (placed)
            search.chosen[static_cast<std::size_t>(placed->piece)] = &*placed;
    search.firstOnly = std::strcmp(argv[1], "complete") == 0;
    search.run(reading.covered() | ~kWholeBoard, reading.freePieces());
    if (!search.firstOnly) {
        std::printf("%llu\n", static_cast<unsigned long long>(search.found));
        return 0;
    }
    if (search.found == 0 || argc < 4)
        return 1;
    Tiling tiling;
    for (std::size_t p = 0; p < tiling.size(); ++p)
        tiling[p] = *search.chosen[p];
    std::ofstream out(argv[3], std::ios::binary);
    out << writePositionFile(completedPositions(position->cell, reading, tiling), position->caption);
    return out ? 0 : 1;
}
