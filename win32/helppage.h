#pragma once

// The help page beside the game: a small window of the game's own, owned by
// the game window and never modal, so the player can keep it open while
// playing. It is a surface of the desktop's, in the desktop's message font
// on the desktop's window colours. Close, Escape or Enter put it away.

#include <windows.h>

#include "game/helptopics.h"
#include "win32/controls.h"

namespace morvane::win32 {

class HelpPageWindow {
public:
    HelpPageWindow() = default;
    ~HelpPageWindow();
    HelpPageWindow(const HelpPageWindow&) = delete;
    HelpPageWindow& operator=(const HelpPageWindow&) = delete;

    // Opens the page beside its owner, or brings the open one forward.
    void show(HWND owner, const HelpPage& page);
    // The open page's window, or nothing.
    HWND window() const { return window_; }
    // Tab, Enter and Escape as in a dialog.
    bool isDialogMessage(MSG& message) const;

private:
    friend LRESULT CALLBACK formWindowProc<HelpPageWindow>(HWND, UINT, WPARAM, LPARAM);
    friend void destroyFormWindow<HelpPageWindow>(HelpPageWindow&);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void layOut();
    int flowText(HDC dc, bool draw) const;
    void paint();

    HWND window_ = nullptr;
    HWND close_ = nullptr;
    int dpi_ = 96;
    HelpPage page_;
    FontHandle font_;
    FontHandle bold_;
};

} // namespace morvane::win32
