#include "win32/square.h"

#include <windowsx.h>

#include "game/puzzle.h"
#include "win32/controls.h"
#include "win32/frmPuzzle.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kCellClass[] = L"MorvaneCell";
constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

// The one button a press or a release is about.
int buttonOf(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return button::Left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return button::Right;
    default:
        return button::Middle;
    }
}

LRESULT CALLBACK cellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Square* cell = reinterpret_cast<Square*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!cell)
        return DefWindowProcW(window, message, wParam, lParam);

    // The pointer in twips from this square's corner; under capture it may
    // lie far outside it, on either side.
    const int dpi = dpiOf(window);
    const float x = pixelsToTwips(GET_X_LPARAM(lParam), dpi);
    const float y = pixelsToTwips(GET_Y_LPARAM(lParam), dpi);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // The pressed square keeps every move and release until the last
        // button is up. Capturing again would tell the square it lost it.
        if (GetCapture() != window)
            SetCapture(window);
        cell->form->cell_MouseDown(cell->index, buttonOf(message), shiftOf(wParam), x, y);
        return 0;
    case WM_MOUSEMOVE:
        cell->form->cell_MouseMove(cell->index, buttonsHeld(wParam), shiftOf(wParam), x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        cell->form->cell_MouseUp(cell->index, buttonOf(message), shiftOf(wParam), x, y);
        if ((wParam & kAnyButton) == 0 && GetCapture() == window)
            ReleaseCapture();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        SetDCBrushColor(dc, cell->colour);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int buttonsHeld(WPARAM keys)
{
    return ((keys & MK_LBUTTON) ? button::Left : 0) + ((keys & MK_RBUTTON) ? button::Right : 0)
           + ((keys & MK_MBUTTON) ? button::Middle : 0);
}

int shiftOf(WPARAM keys)
{
    return ((keys & MK_SHIFT) ? modifier::Shift : 0) + ((keys & MK_CONTROL) ? modifier::Ctrl : 0)
           + (GetKeyState(VK_MENU) < 0 ? modifier::Alt : 0);
}

HWND makeCell(HWND parent, Square& cell, int sizePixels)
{
    // No double clicks: a quick second click is a second press, as the game wants.
    registerWindowClass(kCellClass, cellProc);
    return CreateWindowExW(0, kCellClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, sizePixels, sizePixels,
                           parent, nullptr, GetModuleHandleW(nullptr), &cell);
}

} // namespace morvane::win32
