#include "bench/plainsearch.h"

#include <array>
#include <bit>
#include <vector>

#include "game/index.h"

namespace morvane {

namespace {

struct PlainSearch {
    std::array<std::vector<const Placement*>, kBoardCells> byLowestCell;
    std::array<const Placement*, kPieceCount> chosen{};
    const std::function<bool(const Tiling&)>& visit;

    explicit PlainSearch(const std::function<bool(const Tiling&)>& v) : visit(v)
    {
        for (int p = 0; p < kPieceCount; ++p)
            for (const Placement& pl : placements(p))
                byLowestCell[at(std::countr_zero(pl.cells))].push_back(&pl);
    }

    // False once the visitor says stop.
    bool run(BoardBits filled, unsigned free)
    {
        if (free == 0) {
            Tiling tiling;
            for (std::size_t p = 0; p < tiling.size(); ++p)
                tiling[p] = *chosen[p];
            return visit(tiling);
        }
        for (const Placement* pl : byLowestCell[at(std::countr_zero(~filled))]) {
            if ((free & (1u << pl->piece)) == 0 || (pl->cells & filled) != 0)
                continue;
            chosen[at(pl->piece)] = pl;
            if (!run(filled | pl->cells, free & ~(1u << pl->piece)))
                return false;
        }
        return true;
    }
};

} // namespace

void plainSearch(const BoardReading& reading, const std::function<bool(const Tiling&)>& visit)
{
    PlainSearch search(visit);
    for (const auto& placed : reading.placed)
        if (placed)
            search.chosen[at(placed->piece)] = &*placed;
    search.run(reading.covered() | ~kWholeBoard, reading.freePieces());
}

} // namespace morvane
