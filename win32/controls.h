#pragma once

// Windows and controls made from the game's window definitions, placed in
// twips at the window's DPI, and the desktop's font.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <type_traits>

#include "game/forms.h"
#include "game/textfitting.h"

namespace morvane::win32 {

struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;

// Windows hands a pointer or a handle over as one of a message's integers,
// and keeps one in a window's integer slot: here it becomes what it is again.
// The cast is the system's way, not a choice, hence the one exemption.
template <typename Pointer>
Pointer fromInteger(std::intptr_t value)
{
    return reinterpret_cast<Pointer>(value);  // NOLINT(performance-no-int-to-ptr)
}

COLORREF colourOf(Rgb colour);

std::wstring windowText(HWND window);

// A form's frame as window styles.
DWORD frameStyle(forms::Frame frame);
DWORD frameExStyle(forms::Frame frame);
// Sizes a form's window at the DPI: from frame to frame, or around its
// client area as the system measures the frame, menu bar included.
void sizeWindow(HWND window, const forms::Form& form, int dpi);
// Moves a sized window to where its form stands on its monitor.
void placeOnScreen(HWND window, const forms::Form& form);
// The whole of a window's monitor, and the part of it windows are laid out in.
MONITORINFO monitorOf(HWND window);
// A window moved to a monitor of another DPI goes to the corner the system
// suggests in WM_DPICHANGED, keeping its size for its form to set; the
// monitor's DPI comes back.
int followDpiChange(HWND window, WPARAM wParam, LPARAM lParam);

// The desktop's own font for message text at the DPI.
LOGFONTW messageFont(int dpi);
// The font a definition names at the given DPI; an empty face is the
// desktop's message font.
FontHandle makeFont(const forms::Font& font, int dpi);
// How far a text reaches in the message font at a size in points, in twips.
TextMeasure messageFontMeasure(int dpi);
// The message font at the size the fitting rule gives a group of labels.
FontHandle fittingFont(std::span<const forms::Control* const> labels, int dpi);

// Every child control is clipped by its siblings, so one lying above
// another is never painted over by it. Its border, tab stop and visibility
// are the definition's.
HWND makeControl(HWND parent, const wchar_t* windowClass, DWORD style, const forms::Control& control, int id,
                 int dpi);
// A label's text is never a mnemonic: the counter may show whatever a
// loaded file held, "&" included.
HWND makeLabel(HWND parent, const forms::Control& control, int id, int dpi);
void place(HWND control, const forms::TwipsRect& rect, int dpi);
// WM_CTLCOLORSTATIC for a control: its own ink on its own surface.
LRESULT paintColours(HDC dc, const forms::Control& control);

// Each window lies above those before it in the list, whatever order the
// system made them in.
void stackInOrder(std::span<const HWND> windows);

// Registers a window class of the program's once, however many windows of it
// are made: an arrow cursor, no double clicks, and the given icon and
// background (none: the window paints all of itself).
void registerWindowClass(const wchar_t* name, WNDPROC proc, HICON icon = nullptr, HBRUSH background = nullptr);
// The same for a form's window, on the form's background.
void registerFormClass(const wchar_t* name, WNDPROC proc, HICON icon, const forms::Form& form);

// A form cannot go on without its window: where the system refuses to make
// one, short of its own resources, the player is told so and the program ends.
void requireWindow(HWND window);

// The pixels of a window's DPI, or of the system's before it has one.
int dpiOf(HWND window);

// The window procedure of a form's window: the form that made the window,
// passed as its creation parameter, is told its window on WM_NCCREATE and
// handles every message from then on, until WM_NCDESTROY, when it has none.
template <typename Form>
LRESULT CALLBACK formWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(fromInteger<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = fromInteger<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form && message == WM_NCDESTROY) {
        form->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form ? form->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// A form going away lets go of its window first, so that destroying it is
// not mistaken for the player closing it.
template <typename Form>
void destroyFormWindow(Form& form)
{
    if (!form.window_)
        return;
    const HWND window = form.window_;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form.window_ = nullptr;
    DestroyWindow(window);
}

} // namespace morvane::win32
