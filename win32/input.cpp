#include "win32/input.h"

#include <windowsx.h>

#include "game/puzzle.h"
#include "win32/twips.h"

namespace morvane::win32 {

int buttonCode(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return button::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return button::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return button::Middle;
    default:
        return 0;
    }
}

int buttonsCode(WPARAM keys)
{
    return ((keys & MK_LBUTTON) ? button::Left : 0) + ((keys & MK_RBUTTON) ? button::Right : 0)
           + ((keys & MK_MBUTTON) ? button::Middle : 0);
}

int shiftCode(WPARAM keys)
{
    return ((keys & MK_SHIFT) ? modifier::Shift : 0) + ((keys & MK_CONTROL) ? modifier::Ctrl : 0)
           + (GetKeyState(VK_MENU) < 0 ? modifier::Alt : 0);
}

int shiftCode()
{
    return (GetKeyState(VK_SHIFT) < 0 ? modifier::Shift : 0) + (GetKeyState(VK_CONTROL) < 0 ? modifier::Ctrl : 0)
           + (GetKeyState(VK_MENU) < 0 ? modifier::Alt : 0);
}

int keyCode(WPARAM virtualKey)
{
    return static_cast<int>(virtualKey);
}

std::optional<PointerEvent> pointerEvent(UINT message, WPARAM wParam, LPARAM lParam, int dpi)
{
    PointerAction action = PointerAction::Move;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        action = PointerAction::Press;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        action = PointerAction::Release;
        break;
    case WM_MOUSEMOVE:
        break;
    default:
        return std::nullopt;
    }
    // Signed: under capture the pointer may lie left of or above the window.
    return PointerEvent{.action = action,
                        .button = buttonCode(message),
                        .buttons = buttonsCode(wParam),
                        .shift = shiftCode(wParam),
                        .x = pixelsToTwips(GET_X_LPARAM(lParam), dpi),
                        .y = pixelsToTwips(GET_Y_LPARAM(lParam), dpi)};
}

std::optional<KeyEvent> keyEvent(const MSG& message)
{
    const bool pressed = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (!pressed && message.message != WM_KEYUP && message.message != WM_SYSKEYUP)
        return std::nullopt;
    return KeyEvent{.key = keyCode(message.wParam), .shift = shiftCode(), .pressed = pressed};
}

void holdPointer(HWND window)
{
    if (GetCapture() != window)
        SetCapture(window);
}

void letGoOfPointer(HWND window)
{
    if (GetCapture() == window)
        ReleaseCapture();
}

} // namespace morvane::win32
