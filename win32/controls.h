#pragma once

// Controls made from the game's window definitions, placed in twips at the
// window's DPI.

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <type_traits>

#include "game/forms.h"

namespace morvane::win32 {

struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using BrushHandle = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;

COLORREF colorOf(Rgb colour);

std::wstring windowText(HWND window);

// The font a definition names at the given DPI; an empty face is the
// desktop's own font for message text.
FontHandle makeFont(const forms::Font& font, int dpi);
// The labels keep their rectangles, but a desktop with a large font would cut
// their text short: there a group of labels is set just small enough for all
// of them to fit, in one size so that they still read as one column. Where
// the font fits, it is the font itself.
FontHandle fittingFont(const forms::Font& font, std::span<const HWND> labels, int dpi);

// Every child control is clipped by its siblings, so one lying above
// another is never painted over by it.
HWND makeControl(HWND parent, const wchar_t* windowClass, DWORD style, const forms::Control& control, int id,
                 int dpi);
HWND makeLabel(HWND parent, const forms::Control& control, int id, int dpi, DWORD extraStyle = 0);
void place(HWND control, const forms::TwipsRect& rect, int dpi);

// Each window lies above those before it in the list, whatever order the
// system made them in.
void stackInOrder(std::span<const HWND> windows);

// Registers a window class of the program's once, however many windows of it
// are made: an arrow cursor, no double clicks, and the given icon and
// background (none: the window paints all of itself).
void registerWindowClass(const wchar_t* name, WNDPROC proc, HICON icon = nullptr, HBRUSH background = nullptr);

// The pixels of a window's DPI, or of the system's before it has one.
int dpiOf(HWND window);

// The window procedure of a form's window: the form that made the window,
// passed as its creation parameter, is told its window on WM_NCCREATE and
// handles every message from then on, until WM_NCDESTROY, when it has none.
template <typename Form>
LRESULT CALLBACK formWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form && message == WM_NCDESTROY) {
        form->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form ? form->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

} // namespace morvane::win32
