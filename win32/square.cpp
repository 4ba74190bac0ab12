#include "win32/square.h"

#include <windowsx.h>

#include "win32/controls.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kCellClass[] = L"MorvaneCell";

// The colour is kept in the window's own integer slot from its creation on.
LRESULT CALLBACK cellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = fromInteger<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    // Presses, releases and moves; the class takes no double clicks, so a
    // quick second click comes as a second press.
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) {
        const HWND parent = GetParent(window);
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        MapWindowPoints(window, parent, &at, 1);
        return SendMessageW(parent, message, wParam, MAKELPARAM(at.x, at.y));
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        SetDCBrushColor(dc, static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

HWND makeCell(HWND parent, COLORREF colour, int sizePixels)
{
    registerWindowClass(kCellClass, cellProc);
    return CreateWindowExW(0, kCellClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, sizePixels, sizePixels,
                           parent, nullptr, GetModuleHandleW(nullptr), fromInteger<void*>(colour));
}

} // namespace morvane::win32
