#pragma once

// The square windows of the control array `cell`: each a plain child window
// filled with its piece's colour that hands its mouse events, in the game's
// terms, to the game window.

#include <windows.h>

namespace morvane::win32 {

class frmPuzzle;

struct Square {
    frmPuzzle* form = nullptr;
    int index = 0;
    COLORREF colour = 0;
};

// The square lives as long as `cell`, which the game window keeps.
HWND makeCell(HWND parent, Square& cell, int sizePixels);

// The game's Button of a move: the sum of the buttons held.
int buttonsHeld(WPARAM keys);
// The game's Shift: 1 Shift, 2 Ctrl, 4 Alt.
int shiftOf(WPARAM keys);

} // namespace morvane::win32
