#pragma once

// The splash window the game opens with: a banner, a link label that only the
// partner layout shows, and "&Continue", which hands over to the game window.
// What each of them does is its SplashController's; the window draws the
// banner and the link, and turns its messages into the controller's events.

#include <windows.h>

#include <functional>

#include "game/forms.h"
#include "game/splashcontroller.h"
#include "win32/controls.h"
#include "win32/desktop.h"

namespace morvane::win32 {

class frmSplash final : public SplashFrontEnd {
public:
    // Makes and loads the window, so the layout is chosen before it is first
    // shown; it stays hidden until then.
    explicit frmSplash(Desktop desktop = systemDesktop());
    ~frmSplash();
    frmSplash(const frmSplash&) = delete;
    frmSplash& operator=(const frmSplash&) = delete;

    HWND window() const { return window_; }
    HWND Command1() const { return Command1_; }
    // Where the link label and the banner are drawn, in client pixels.
    RECT Label1() const { return label1_; }
    RECT Picture1() const { return picture1_; }
    int dpi() const { return dpi_; }

    // Where its form places it, with "&Continue" holding the focus.
    void Show();
    // Enter, Space, Tab and Alt+C as in a dialog.
    bool isDialogMessage(MSG& message) const;

    // What "&Continue" opens and shows; the game window unless a test says otherwise.
    void setGameWindowFactory(std::function<void()> factory) { showGameWindow_ = std::move(factory); }

    std::chrono::year_month_day today() override { return desktop_.today(); }
    DateOrder dateOrder() override { return desktop_.dateOrder(); }
    void showLayout(const forms::SplashLayout& layout) override;
    void processPendingEvents() override;
    void openAddress(std::string_view url) override;
    void showGameWindow() override { showGameWindow_(); }
    void closeSplash() override { DestroyWindow(window_); }
    void endProgram() override { desktop_.endProgram(); }

private:
    friend LRESULT CALLBACK formWindowProc<frmSplash>(HWND, UINT, WPARAM, LPARAM);
    friend void destroyFormWindow<frmSplash>(frmSplash&);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void buildControls();
    void layOut();
    void placeBanner(const forms::SplashLayout& layout);
    void paint();
    POINTFLOAT twipsAt(LPARAM point) const;

    Desktop desktop_;
    std::function<void()> showGameWindow_;
    SplashController controller_{*this};

    HWND window_ = nullptr;
    int dpi_ = 96;
    HWND Command1_ = nullptr;
    RECT label1_{};
    RECT picture1_{};
    HBITMAP banner_ = nullptr;
    FontHandle linkFont_;
    FontHandle buttonFont_;
};

} // namespace morvane::win32
