#include "win32/square.h"

#include <windowsx.h>

#include "win32/controls.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kCellClass[] = L"MorvaneCell";

LRESULT CALLBACK cellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = fromInteger<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Square* cell = fromInteger<Square*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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
        captureOnPress(window);
        cell->controller->cell_MouseDown(cell->index, buttonOf(message), shiftOf(wParam), x, y);
        return 0;
    case WM_MOUSEMOVE:
        cell->controller->cell_MouseMove(cell->index, buttonsHeld(wParam), shiftOf(wParam), x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        cell->controller->cell_MouseUp(cell->index, buttonOf(message), shiftOf(wParam), x, y);
        releaseOnLastButtonUp(window, wParam);
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

HWND makeCell(HWND parent, Square& cell, int sizePixels)
{
    // No double clicks: a quick second click is a second press, as the game wants.
    registerWindowClass(kCellClass, cellProc);
    return CreateWindowExW(0, kCellClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, sizePixels, sizePixels,
                           parent, nullptr, GetModuleHandleW(nullptr), &cell);
}

} // namespace morvane::win32
