#pragma once

// The game counts pieces, squares and cells with int, as its runtime does;
// the standard containers count with std::size_t.

#include <cassert>
#include <cstddef>

namespace morvane {

// An index the caller knows is not negative, as a container's subscript.
// Debug builds check that it is; release builds pay nothing for it.
constexpr std::size_t at(int index)
{
    assert(index >= 0);
    return static_cast<std::size_t>(index);
}

} // namespace morvane
