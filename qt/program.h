#pragma once

// What the program tells Qt and the desktop about itself before its first
// window opens: its name and version, the desktop file it is installed with,
// and its icon.

namespace morvane {

void describeProgram();

} // namespace morvane
