#pragma once

// The game window: the board, the twelve pieces, the instructions, the
// seconds counter, the help control and the File menu. It keeps no rules of
// its own: every event goes to its PuzzleController, and the window shows
// what the controller tells it to.

#include <windows.h>

#include <array>
#include <memory>

#include "game/forms.h"
#include "game/puzzlecontroller.h"
#include "win32/controls.h"
#include "win32/desktop.h"
#include "win32/helppage.h"

namespace morvane::win32 {

// The child window of each control in the window's definition has this id.
int controlId(const forms::Control& control);

class frmPuzzle {
public:
    // Makes and loads the window; it stays hidden until shown.
    explicit frmPuzzle(Desktop desktop);
    ~frmPuzzle();
    frmPuzzle(const frmPuzzle&) = delete;
    frmPuzzle& operator=(const frmPuzzle&) = delete;

    HWND window() const { return window_; }
    void Show();
    // A key on the window or on any of its controls goes to the controller
    // first, and is gone if it was the game's; then the help page's Tab,
    // Enter and Escape. True when the message needs nothing more.
    bool translateKeys(MSG& message);

private:
    // What the controller asks of this window, answered with Win32 calls.
    class FrontEnd;
    friend LRESULT CALLBACK formWindowProc<frmPuzzle>(HWND, UINT, WPARAM, LPARAM);
    friend void destroyFormWindow<frmPuzzle>(frmPuzzle&);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void buildControls();
    void layOut();
    void paintBoard();
    HWND control(const forms::Control& control) const { return GetDlgItem(window_, controlId(control)); }

    Desktop desktop_;
    std::unique_ptr<FrontEnd> frontEnd_;
    PuzzleController controller_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    std::array<HWND, kSquareCount> cell_{};
    HWND focus_ = nullptr;  // the control with the focus when the window was last left
    std::array<FontHandle, forms::kPuzzleControls.size()> fonts_;  // each control's own, outside a group
    FontHandle instructionsFont_;
    FontHandle counterFont_;
    HelpPageWindow helpPage_;
};

} // namespace morvane::win32
