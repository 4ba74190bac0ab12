#pragma once

// Qt does not let a window's title be empty where the window manager reads
// it: on X11 an empty title goes out as the program's name in _NET_WM_NAME,
// the title that window managers, window lists and screen readers show. The
// splash window has no caption at all, so this writes the empty one back.

class QWidget;

namespace morvane {

// Call once the window's native window exists, and again whenever it is made
// anew. Does nothing on a platform that keeps the empty title as it is.
void clearPlatformCaption(QWidget* window);

} // namespace morvane
