#include "win32/square.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "game/pieceplaces.h"
#include "win32/controls.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kCellClass[] = L"MorvaneCell";

struct Cell {
    COLORREF colour = 0;
    int mark = 0;
    std::wstring name;
};

Cell* cellOf(HWND window)
{
    return fromInteger<Cell*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The mark is a black line along the edge with a white one inside it, so
// one of the two stands out against any piece's colour; the rest of the
// square keeps its colour. Lines across the piece run on into the next
// square's, and the top and bottom ones are drawn over the sides' white.
// Each line is a pixel at the standard DPI, and as wide in inches on a
// denser screen.
void paintCell(HWND window, const Cell& cell)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const auto fill = [dc](RECT r, COLORREF colour) {
        SetDCBrushColor(dc, colour);
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    };
    fill(paint.rcPaint, cell.colour);
    RECT r;
    GetClientRect(window, &r);
    const int w = std::max(1, MulDiv(1, dpiOf(window), kStandardDpi));
    const auto side = [&](int edgeBit, RECT outer, RECT inner) {
        if (cell.mark & edgeBit) {
            fill(outer, RGB(0, 0, 0));
            fill(inner, RGB(255, 255, 255));
        }
    };
    side(edge::Left, {0, 0, w, r.bottom}, {w, 0, 2 * w, r.bottom});
    side(edge::Right, {r.right - w, 0, r.right, r.bottom}, {r.right - 2 * w, 0, r.right - w, r.bottom});
    side(edge::Top, {0, 0, r.right, w}, {0, w, r.right, 2 * w});
    side(edge::Bottom, {0, r.bottom - w, r.right, r.bottom}, {0, r.bottom - 2 * w, r.right, r.bottom - w});
    EndPaint(window, &paint);
}

// The square keeps its colour, mark and name beside its window from its
// first message to its last.
LRESULT CALLBACK cellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const void* colour = fromInteger<const CREATESTRUCTW*>(lParam)->lpCreateParams;
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              new Cell{.colour = static_cast<COLORREF>(reinterpret_cast<std::uintptr_t>(colour))}));
    }
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks): the window keeps it, see WM_NCDESTROY
    Cell* cell = cellOf(window);
    if (!cell)
        return DefWindowProcW(window, message, wParam, lParam);
    // Presses, releases and moves; the class takes no double clicks, so a
    // quick second click comes as a second press.
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) {
        const HWND parent = GetParent(window);
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        MapWindowPoints(window, parent, &at, 1);
        return SendMessageW(parent, message, wParam, MAKELPARAM(at.x, at.y));
    }
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        SendMessageW(GetParent(window), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(window), message == WM_SETFOCUS ? kCellFocused : kCellUnfocused),
                     reinterpret_cast<LPARAM>(window));
        return 0;
    // The name is what assistive technology reads. It is kept without the
    // system's telling of each change: a piece's place changes at every step
    // of a drag, and its window says when the new place is worth telling.
    case WM_SETTEXT:
        cell->name = lParam ? fromInteger<const wchar_t*>(lParam) : L"";
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(cell->name.size());
    case WM_GETTEXT: {
        if (wParam == 0)
            return 0;
        const std::size_t n = std::min(cell->name.size(), static_cast<std::size_t>(wParam) - 1);
        auto* to = fromInteger<wchar_t*>(lParam);
        cell->name.copy(to, n);
        to[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paintCell(window, *cell);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete cell;
        return DefWindowProcW(window, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

HWND makeCell(HWND parent, COLORREF colour, int sizePixels, bool tabStop)
{
    registerWindowClass(kCellClass, cellProc);
    return CreateWindowExW(0, kCellClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | (tabStop ? WS_TABSTOP : 0), 0,
                           0, sizePixels, sizePixels, parent, nullptr, GetModuleHandleW(nullptr),
                           fromInteger<void*>(colour));
}

void markCell(HWND cell, int edges)
{
    Cell* state = cellOf(cell);
    if (!state || state->mark == edges)
        return;
    state->mark = edges;
    InvalidateRect(cell, nullptr, FALSE);
}

} // namespace morvane::win32
