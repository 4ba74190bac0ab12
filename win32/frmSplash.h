#pragma once

// The splash window the game opens with: a banner, a link label that only the
// partner layout shows, and "&Continue", which hands over to the game window.
// What each of them does is its SplashController's; the window draws the
// banner and the link, and turns its messages into the controller's events.

#include <windows.h>

#include <functional>
#include <memory>

#include "game/forms.h"
#include "game/splashcontroller.h"
#include "win32/controls.h"
#include "win32/desktop.h"

namespace morvane::win32 {

class frmSplash {
public:
    // Makes and loads the window, so the layout is chosen before it is first
    // shown; it stays hidden until then. "&Continue" calls
    // `showGameWindow`, which makes the game window, loads it and shows it.
    frmSplash(Desktop desktop, std::function<void()> showGameWindow);
    ~frmSplash();
    frmSplash(const frmSplash&) = delete;
    frmSplash& operator=(const frmSplash&) = delete;

    HWND window() const { return window_; }
    // Where its form places it, with "&Continue" holding the focus.
    void Show();
    // A key on the window or its button goes to the controller first, and is
    // gone if it was the splash's; Tab then moves the focus as in a dialog.
    // True when the message needs nothing more.
    bool translateKeys(MSG& message);

private:
    // What the controller asks of this window, answered with Win32 calls.
    class FrontEnd;
    friend LRESULT CALLBACK formWindowProc<frmSplash>(HWND, UINT, WPARAM, LPARAM);
    friend void destroyFormWindow<frmSplash>(frmSplash&);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void layOut();
    void placeBanner(const forms::SplashLayout& layout);
    void paint();

    Desktop desktop_;
    std::function<void()> showGameWindow_;
    std::unique_ptr<FrontEnd> frontEnd_;
    SplashController controller_;

    HWND window_ = nullptr;
    int dpi_ = 96;
    HWND Command1_ = nullptr;
    RECT Label1_{};
    RECT Picture1_{};
    HBITMAP banner_ = nullptr;
    FontHandle linkFont_;
    FontHandle buttonFont_;
};

} // namespace morvane::win32
