#pragma once

// The splash window the game opens with: a banner, a link label that only the
// partner layout shows, and "&Continue", which opens the game window and then
// closes the splash for good. Which banner it shows is settled once, when it
// loads; where a banner click leads is decided afresh at every click.

#include <windows.h>

#include <functional>
#include <string_view>

#include "game/forms.h"
#include "win32/controls.h"
#include "win32/desktop.h"

namespace morvane::win32 {

class frmSplash {
public:
    // Makes and loads the window, so the layout is chosen before it is first
    // shown; it stays hidden until then.
    explicit frmSplash(SplashDesktop desktop = systemDesktop());
    ~frmSplash();
    frmSplash(const frmSplash&) = delete;
    frmSplash& operator=(const frmSplash&) = delete;

    HWND window() const { return window_; }
    // Where the link label and the banner are drawn, in client pixels.
    RECT Label1() const { return label1_; }
    RECT Picture1() const { return picture1_; }
    bool label1Visible() const { return label1Visible_; }
    HWND Command1() const { return Command1_; }
    float picture1Left() const { return layout_.picture1Left; }
    int dpi() const { return dpi_; }

    // Centred on the screen, with "&Continue" holding the focus.
    void Show();
    // Enter, Space, Tab and Alt+C as in a dialog.
    bool isDialogMessage(MSG& message) const;

    // What "&Continue" opens and shows; the game window unless a test says otherwise.
    void setGameWindowFactory(std::function<void()> factory) { makeGameWindow_ = std::move(factory); }
    // What closing the splash without continuing does; ends the program
    // unless a test says otherwise.
    void setProgramEnd(std::function<void()> end) { endProgram_ = std::move(end); }

    void Picture1_Click();
    void Label1_Click();
    void Command1_Click();
    void UrlTo(HWND windowHandle, std::string_view szURL);

private:
    friend LRESULT CALLBACK formWindowProc<frmSplash>(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void buildControls();
    void Form_Load();
    void Picture1_Change();
    bool partnerTest() const;
    void layOut();
    void onDpiChanged(int dpi, const RECT& suggested);
    void paint();
    enum class Part { None, Label1, Picture1 };
    Part partAt(POINT point) const;

    SplashDesktop desktop_;
    std::function<void()> makeGameWindow_;
    std::function<void()> endProgram_;
    bool handedOver_ = false;

    HWND window_ = nullptr;
    int dpi_ = 96;
    forms::SplashLayout layout_ = forms::splashLayout(false);
    HWND Command1_ = nullptr;
    RECT label1_{};
    RECT picture1_{};
    bool label1Visible_ = forms::SplashLabel1.visible;
    HBITMAP banner_ = nullptr;
    FontHandle linkFont_;
    FontHandle buttonFont_;
};

} // namespace morvane::win32
