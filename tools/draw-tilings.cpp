// Writes the list of the empty board's tilings that the solver carries
// (solve/emptyboard-tilings.inc, or the file named on the command line): every
// tiling the search finds, each as the least line among its images, sorted.
// So the file depends on the tilings alone, never on the order the search
// happens to meet them in.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "game/diskfile.h"
#include "solve/search.h"
#include "solve/tilings.h"

int main(int argc, char* argv[])
{
    using namespace morvane;
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-tilings-list FILE\n");
        return 2;
    }
    std::vector<std::string> lines;
    solveEmptyBoard([&](const Tiling& tiling) {
        lines.push_back(canonicalLine(cellsOf(tiling)));
        return true;
    });
    std::sort(lines.begin(), lines.end());

    std::string text =
        "// Every tiling of the empty board once up to turning and mirroring it, each\n"
        "// as the least line among its images, sorted: written by\n"
        "// `cmake --build build --target draw-tilings` (tools/draw-tilings.cpp).\n";
    for (const std::string& line : lines)
        text += '"' + line + "\",\n";
    if (const std::error_code failed = replaceFile(argv[1], text)) {
        std::fprintf(stderr, "draw-tilings-list: cannot write %s: %s\n", argv[1], failed.message().c_str());
        return 1;
    }
    return 0;
}
