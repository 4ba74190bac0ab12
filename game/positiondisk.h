#pragma once

// A position file on disk, with the same safety on every platform: only a
// regular file is ever read, and opening one never waits; a save takes the
// old file's place only once the new one is wholly written.

#include <filesystem>
#include <optional>
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

// The position a file holds, or nothing: for a file that cannot be opened,
// that is not a position, or that is not a regular file at all. A pipe, a
// device, a folder or a socket is refused at once, without reading from it
// and without waiting for anyone to write to it. Where there is nothing,
// `trouble`, if given, says why.
std::optional<SavedPosition> loadPositionFile(const std::filesystem::path& name, LoadTrouble* trouble = nullptr);

// Writes the new file beside the old one, and it takes the old one's place
// only once it is complete: false, and the old file as it was, on any failure.
bool savePositionFile(const std::filesystem::path& name, const Positions& cell, std::string_view caption);

} // namespace morvane
