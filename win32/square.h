#pragma once

// The square windows of the control array `cell`: each a plain child window
// filled with its piece's colour. A square decides nothing: its mouse
// messages go on to the window it lies on, as if that window had been
// pressed at the same point, and it tells that window when it gains or loses
// the keyboard focus, as a button does.

#include <windows.h>

namespace morvane::win32 {

// What a square sends its parent in WM_COMMAND's high word, with the
// square's window as the message's handle.
inline constexpr WORD kCellFocused = 1;
inline constexpr WORD kCellUnfocused = 2;

// A square that is a tab stop takes the keyboard focus by Tab.
HWND makeCell(HWND parent, COLORREF colour, int sizePixels, bool tabStop);
// The focus mark along these sides (edge::Left, ...) of the square; 0 takes
// it away.
void markCell(HWND cell, int edges);

} // namespace morvane::win32
