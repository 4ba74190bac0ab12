#pragma once

// Helpers the tests share: whole files read and written as bytes, and what
// makes a shape a piece of the game.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "game/pieces.h"

namespace morvane::testing {

inline std::string fileContents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ASSERT_TRUE(out.good()) << path;
}

// Square 0 at (0, 0), and five distinct squares joined edge to edge.
inline bool isPentomino(const PieceShape& shape)
{
    if (shape[0] != Offset{0, 0})
        return false;
    std::set<std::pair<int, int>> squares;
    for (const Offset o : shape)
        squares.insert({o.dx, o.dy});
    std::set<std::pair<int, int>> reached{{0, 0}};
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [x, y] : squares) {
            if (reached.count({x, y}))
                continue;
            for (const auto& [rx, ry] : reached) {
                if (std::abs(x - rx) + std::abs(y - ry) == 1) {
                    reached.insert({x, y});
                    grew = true;
                    break;
                }
            }
        }
    }
    return squares.size() == shape.size() && reached == squares;
}

} // namespace morvane::testing
