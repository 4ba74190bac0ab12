#pragma once

// The splash's controls, drawn by the game itself with GDI alone: a push
// button, and a static control that shows a text or a picture. The system's own button and static
// would load the common controls library (the manifest asks for version 6),
// and under Wine that load alone costs the splash a good part of the time a
// whole bare window takes to reach the screen. These answer the messages the
// splash and the dialog keys use, as the system's do: WM_SETFONT and
// STM_SETIMAGE; WM_GETDLGCODE, so that IsDialogMessage gives Enter, Alt plus
// the marked letter and Tab their meaning; BM_CLICK; and BN_CLICKED or
// STN_CLICKED to the parent. The game window, made after the splash, keeps
// the system's controls.
//
// The button has a white face and black letters whatever the desktop's
// colours; pressed, by the mouse or by Space, its letters move down and
// right by a pixel. A static control honours SS_CENTER, SS_RIGHT and
// SS_NOPREFIX, takes its colours from the parent's WM_CTLCOLORSTATIC and
// tells the parent of a left press.

#include <windows.h>

namespace morvane::win32 {

// The window classes, each registered when first asked for.
const wchar_t* drawnButtonClass();
const wchar_t* drawnStaticClass();

} // namespace morvane::win32
