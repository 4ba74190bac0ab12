// The yardstick for the solver's rows in `make bench`: the plain search (see
// plainsearch.h) in a process of its own. It makes no use of the board's
// symmetry, so the empty board's 2339 come out as all 9356 tilings, a quarter
// of which it counts.
//
// Usage: solve-reference all | count FILE | complete FILE OUT

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "bench/plainsearch.h"
#include "game/diskfile.h"
#include "game/positiondisk.h"
#include "solve/tilings.h"

int main(int argc, char* argv[])
{
    using namespace morvane;
    std::uint64_t found = 0;
    const auto counting = [&found](const Tiling&) {
        ++found;
        return true;
    };
    if (argc == 2 && std::strcmp(argv[1], "all") == 0) {
        plainSearch(BoardReading{}, counting);
        std::printf("%llu\n", static_cast<unsigned long long>(found / kBoardSymmetries));
        return 0;
    }
    if (argc < 3)
        return 2;
    const auto position = loadPositionFile(argv[2]);
    if (!position)
        return 2;
    const BoardReading reading = readBoard(position->cell);
    if (std::strcmp(argv[1], "complete") != 0) {
        plainSearch(reading, counting);
        std::printf("%llu\n", static_cast<unsigned long long>(found));
        return 0;
    }
    std::optional<Tiling> first;
    plainSearch(reading, [&first](const Tiling& tiling) {
        first = tiling;
        return false;
    });
    if (!first || argc < 4)
        return 1;
    return replaceFile(argv[3], writePositionFile(completedPositions(position->cell, reading, *first), position->caption))
               ? 1
               : 0;
}
