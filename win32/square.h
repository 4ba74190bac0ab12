#pragma once

// The square windows of the control array `cell`: each a plain child window
// filled with its piece's colour that hands its mouse events, in the game's
// terms, to the game window's controller.

#include <windows.h>

#include "game/puzzlecontroller.h"

namespace morvane::win32 {

struct Square {
    PuzzleController* controller = nullptr;
    int index = 0;
    COLORREF colour = 0;
};

// The square lives as long as `cell`, which the game window keeps.
HWND makeCell(HWND parent, Square& cell, int sizePixels);

} // namespace morvane::win32
