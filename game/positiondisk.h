#pragma once

// A position file on disk, with the same safety on every platform: only a
// regular file is ever read, and opening one never waits; a save takes the
// old file's place only once the new one is wholly written.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "game/diskfile.h"
#include "game/positionfile.h"

namespace morvane {

// Why a load found no position, for a caller that names the trouble: the file
// was not opened (`refused` says why), reading it failed part-way, or neither
// and it holds no position.
struct LoadTrouble {
    OpenRefusal refused;
    bool unreadable = false;
};

// The first kPositionFileLimit bytes of a regular file, or nothing where it
// cannot be opened or read; `trouble`, if given, then says why.
std::optional<std::string> readPositionBytes(const NativeName* name, LoadTrouble* trouble = nullptr);
inline std::optional<std::string> readPositionBytes(const std::filesystem::path& name, LoadTrouble* trouble = nullptr)
{
    return readPositionBytes(name.c_str(), trouble);
}

// The position a file holds, or nothing: for a file that cannot be opened,
// that is not a position, or that is not a regular file at all. A pipe, a
// device, a folder or a socket is refused at once, without reading from it
// and without waiting for anyone to write to it. Where there is nothing,
// `trouble`, if given, says why.
std::optional<SavedPosition> loadPositionFile(const std::filesystem::path& name, LoadTrouble* trouble = nullptr);


} // namespace morvane
