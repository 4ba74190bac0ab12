#pragma once

// What a screen reader is told about the game's windows when it asks with
// WM_GETOBJECT. The accessibility library, and those it brings, load on the
// first such question, so a window nobody asks about loads none of them.

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

namespace morvane::win32 {

// A part of a window's client area that the window draws itself, with no
// window of its own: what it is called, what it is (a ROLE_SYSTEM_ number)
// and where it lies, in client pixels.
struct DrawnPart {
    std::wstring name;
    long role = 0;
    RECT at{};
};

// The answer to WM_GETOBJECT for a window: the system's own object for what
// it asks about (the window, its client area, its menu bar), called `name`
// instead of the window's text, with the drawn `parts` after its child
// windows.
LRESULT namedObject(HWND window, WPARAM wParam, LPARAM lParam, std::wstring_view name,
                    std::span<const DrawnPart> parts = {});
// The answer for a window the game draws as a push button: the system's own
// object for a push button, named from the window's text less its mark.
LRESULT pushButtonObject(HWND button, WPARAM wParam, LPARAM lParam);

} // namespace morvane::win32
