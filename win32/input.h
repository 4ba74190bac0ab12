#pragma once

// The player's mouse and keys as the Win32 messages bring them, in the
// game's terms: a pointer event in client twips with the button that
// changed, the buttons held and the modifiers, and a key numbered as its
// virtual-key code already is. What each means is for the window's
// controller to decide.

#include <windows.h>

#include <optional>

#include "game/input.h"

namespace morvane::win32 {

// The button a press or a release is about, or 0 for a move.
int buttonCode(UINT message);
// The buttons held once the message is over.
int buttonsCode(WPARAM keys);
// Shift and Ctrl as a mouse message carries them; Alt is never among its
// keys and comes from the keyboard's state.
int shiftCode(WPARAM keys);
// Shift, Ctrl and Alt as the keyboard holds them for the message being read.
int shiftCode();
int keyCode(WPARAM virtualKey);

// A button pressed or released, or the pointer moved, over a window's client
// area at `dpi`; nothing for any other message.
std::optional<PointerEvent> pointerEvent(UINT message, WPARAM wParam, LPARAM lParam, int dpi);
// A key pressed or released, the system's keys (those held with Alt) included.
std::optional<KeyEvent> keyEvent(const MSG& message);

// Every move and release reaches the window until it lets go, wherever the
// pointer goes. Capturing again would tell it that it lost the capture.
void holdPointer(HWND window);
void letGoOfPointer(HWND window);

} // namespace morvane::win32
