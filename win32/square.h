#pragma once

// The square windows of the control array `cell`: each a plain child window
// filled with its piece's colour. A square decides nothing: its mouse
// messages go on to the window it lies on, as if that window had been
// pressed at the same point.

#include <windows.h>

namespace morvane::win32 {

HWND makeCell(HWND parent, COLORREF colour, int sizePixels);

} // namespace morvane::win32
