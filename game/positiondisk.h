#pragma once

// A position file on disk, through Qt's file classes, so that every name the
// file chooser can return opens on every platform, whatever the characters.

#include <QString>

#include <optional>
#include <string_view>

#include "game/positionfile.h"

namespace morvane {

// The position a file holds, or nothing: for a file that cannot be opened,
// that is not a position, or that is not a regular file at all. A pipe, a
// device, a folder or a socket is refused at once, without reading from it
// and without waiting for anyone to write to it.
std::optional<SavedPosition> loadPositionFile(const QString& name);

// Writes the new file beside the old one, and it takes the old one's place
// only once it is complete: false, and the old file as it was, on any failure.
bool savePositionFile(const QString& name, const Positions& cell, std::string_view caption);

} // namespace morvane
