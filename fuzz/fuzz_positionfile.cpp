// Feeds arbitrary bytes to the position file reader: it must never crash or
// hang, and whatever it accepts must be a position the game can apply.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/positionfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto position = morvane::readPositionFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!position)
        return 0;
    for (const morvane::SquarePosition& s : position->cell) {
        if (!std::isfinite(s.top) || !std::isfinite(s.left) || s.left != std::nearbyint(s.left) || s.left < -32768
            || s.left > 32767)
            std::abort();
    }
    if (position->caption.find_first_of("\r\n,") != std::string::npos)
        std::abort();
    // What was read writes back and reads again to the same values.
    const auto reread = morvane::readPositionFile(morvane::writePositionFile(position->cell, position->caption));
    if (!reread || reread->cell != position->cell)
        std::abort();
    return 0;
}
