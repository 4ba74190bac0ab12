#include "game/positiondisk.h"

#include <algorithm>

#include "game/diskfile.h"

namespace morvane {

std::optional<std::string> readPositionBytes(const NativeName* name, LoadTrouble* trouble)
{
    std::optional<RegularFile> file = RegularFile::open(name, trouble ? &trouble->refused : nullptr);
    if (!file)
        return std::nullopt;
    std::string bytes;
    while (bytes.size() < kPositionFileLimit) {
        const std::optional<std::span<char>> chunk = file->read();
        if (!chunk) {
            if (trouble)
                trouble->unreadable = true;
            return std::nullopt;
        }
        if (chunk->empty())
            break;
        bytes.append(chunk->data(), std::min(chunk->size(), kPositionFileLimit - bytes.size()));
    }
    return bytes;
}

std::optional<SavedPosition> loadPositionFile(const std::filesystem::path& name, LoadTrouble* trouble)
{
    const std::optional<std::string> bytes = readPositionBytes(name, trouble);
    return bytes ? readPositionFile(*bytes) : std::nullopt;
}

} // namespace morvane
