#pragma once

// The splash's "&Continue": a push button the game draws with GDI alone. The
// system's button would load the common controls library (the manifest asks
// for version 6), and under Wine that load alone costs the splash a good part
// of the time a whole bare window takes to reach the screen. It answers the
// messages the splash uses, as the system's does: WM_SETFONT, BM_CLICK, and
// BN_CLICKED to the parent. The keys that press it (Enter, Space, Alt+C) are
// the splash's controller's, whichever window has the focus. To WM_GETOBJECT it answers with the system's accessible object for a push
// button, so that a screen reader finds a button named "Continue".
// The game window, made after the splash, keeps the system's controls.
//
// It has a white face and black letters whatever the desktop's colours;
// pressed by the mouse, its letters move down and right by a pixel. A press led off it before it ends does not click it.

#include <windows.h>

namespace morvane::win32 {

// The window class, registered when first asked for.
const wchar_t* drawnButtonClass();

} // namespace morvane::win32
