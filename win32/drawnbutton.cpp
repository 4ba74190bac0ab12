#include "win32/drawnbutton.h"

#include <windowsx.h>

#include "win32/accessible.h"
#include "win32/controls.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kButtonClass[] = L"MorvaneButton";

struct ButtonState {
    HFONT font = nullptr;
    bool mouseDown = false;
    bool pressed = false;
};

// Tells the parent, as the system's button does.
void clicked(HWND button)
{
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

bool contains(HWND window, LPARAM point)
{
    RECT client;
    GetClientRect(window, &client);
    return PtInRect(&client, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}) != FALSE;
}

void setPressed(HWND button, ButtonState& state, bool pressed)
{
    if (state.pressed == pressed)
        return;
    state.pressed = pressed;
    InvalidateRect(button, nullptr, FALSE);
}

void paintButton(HWND button, const ButtonState& state)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(button, &paint);
    RECT face;
    GetClientRect(button, &face);
    FillRect(dc, &face, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&face, -1, -1);
    DrawEdge(dc, &face, state.pressed ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT);

    RECT text = face;
    if (state.pressed)
        OffsetRect(&text, 1, 1);
    const HGDIOBJ old = SelectObject(dc, state.font ? state.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colourOf(forms::kBlack));
    // The marked letter is underlined once the keyboard has been used, as
    // the desktop decides for every window.
    const bool hideMark = (SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0;
    DrawTextW(dc, windowText(button).c_str(), -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | (hideMark ? DT_HIDEPREFIX : 0));
    SelectObject(dc, old);
    if (GetFocus() == button) {
        const int inset = twipsToPixels(60, dpiOf(button));
        InflateRect(&face, -inset, -inset);
        DrawFocusRect(dc, &face);
    }
    EndPaint(button, &paint);
}

// Pressed by the left button, the button is clicked when the press ends over
// it; a click may close the window the button is on, so nothing of the
// button is touched after it.
LRESULT handleButton(HWND button, ButtonState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT:
        state.font = fromInteger<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(button, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    // A new text, or the marked letter shown or hidden, as the desktop decides.
    case WM_SETTEXT:
    case WM_UPDATEUISTATE: {
        const LRESULT result = DefWindowProcW(button, message, wParam, lParam);
        InvalidateRect(button, nullptr, FALSE);
        return result;
    }
    case WM_LBUTTONDOWN:
        SetFocus(button);
        SetCapture(button);
        state.mouseDown = true;
        setPressed(button, state, true);
        return 0;
    case WM_MOUSEMOVE:
        if (state.mouseDown)
            setPressed(button, state, contains(button, lParam));
        return 0;
    case WM_LBUTTONUP: {
        if (!state.mouseDown)
            return 0;
        state.mouseDown = false;
        const bool over = contains(button, lParam);
        ReleaseCapture();
        setPressed(button, state, false);
        if (over)
            clicked(button);
        return 0;
    }
    case WM_CAPTURECHANGED:
        state.mouseDown = false;
        setPressed(button, state, false);
        return 0;
    // A screen reader's press of the button.
    case BM_CLICK:
        clicked(button);
        return 0;
    case WM_KILLFOCUS:
        if (state.mouseDown)
            ReleaseCapture();
        setPressed(button, state, false);
        InvalidateRect(button, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
        InvalidateRect(button, nullptr, FALSE);
        return 0;
    case WM_GETOBJECT:
        return pushButtonObject(button, wParam, lParam);
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        paintButton(button, state);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(button, message, wParam, lParam);
}

// The button keeps its state beside its window, from its first message to
// its last: the window holds it, as an integer, until WM_NCDESTROY deletes it.
LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ButtonState{}));
    // The window hands the state back as the integer it keeps; the analyser,
    // which cannot see it kept there, would take the state for lost.
    // NOLINTNEXTLINE(performance-no-int-to-ptr,clang-analyzer-cplusplus.NewDeleteLeaks)
    auto* state = reinterpret_cast<ButtonState*>(GetWindowLongPtrW(button, GWLP_USERDATA));
    if (!state)
        return DefWindowProcW(button, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(button, GWLP_USERDATA, 0);
        delete state;
        return DefWindowProcW(button, message, wParam, lParam);
    }
    return handleButton(button, *state, message, wParam, lParam);
}

} // namespace

const wchar_t* drawnButtonClass()
{
    registerWindowClass(kButtonClass, buttonProc);
    return kButtonClass;
}

} // namespace morvane::win32
