#include "win32/drawncontrols.h"

#include <windowsx.h>

#include "win32/controls.h"
#include "win32/geometry.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kButtonClass[] = L"MorvaneButton";
constexpr wchar_t kStaticClass[] = L"MorvaneStatic";

// What every drawn control keeps: the font its text is drawn in.
struct ControlState {
    HFONT font = nullptr;
};

struct ButtonState : ControlState {
    bool mouseDown = false;
    bool spaceDown = false;
    bool pressed = false;
};

struct StaticState : ControlState {
    HBITMAP image = nullptr;
};

// Each control keeps its state beside its window, from its first message to
// its last. All of them take a font and a text as the system's controls do,
// and paint the whole of themselves, background included.
template <typename State, LRESULT (*handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new State{}));
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!state)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete state;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->font);
    // A new text, or the marked letters shown or hidden, as the desktop decides.
    case WM_SETTEXT:
    case WM_UPDATEUISTATE: {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, FALSE);
        return result;
    }
    case WM_ERASEBKGND:
        return TRUE;
    default:
        return handle(window, *state, message, wParam, lParam);
    }
}

// The parent's colours for a static control, as the system's own static asks
// for them: the brush it returns, with the ink and paper it set on the
// device context.
HBRUSH staticColours(HWND control, HDC dc)
{
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control)));
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void notifyParent(HWND control, WORD code)
{
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
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
    SetTextColor(dc, colorOf(forms::kBlack));
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

// Pressed by the left button or by Space, the button is clicked when the
// press ends over it; a click may close the window the button is on, so
// nothing of the button is touched after it.
LRESULT handleButton(HWND button, ButtonState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
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
        setPressed(button, state, state.spaceDown);
        if (over)
            notifyParent(button, BN_CLICKED);
        return 0;
    }
    case WM_CAPTURECHANGED:
        state.mouseDown = false;
        setPressed(button, state, state.spaceDown);
        return 0;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE)
            break;
        state.spaceDown = true;
        setPressed(button, state, true);
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE || !state.spaceDown)
            break;
        state.spaceDown = false;
        setPressed(button, state, state.mouseDown);
        if (!state.mouseDown)
            notifyParent(button, BN_CLICKED);
        return 0;
    case BM_CLICK:
        notifyParent(button, BN_CLICKED);
        return 0;
    case WM_KILLFOCUS:
        state.spaceDown = false;
        if (state.mouseDown)
            ReleaseCapture();
        setPressed(button, state, false);
        InvalidateRect(button, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
        InvalidateRect(button, nullptr, FALSE);
        return 0;
    case WM_PAINT:
        paintButton(button, state);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(button, message, wParam, lParam);
}

// A picture at the control's top left, any room it leaves the parent's
// paper; without one, the text in the control's font and the parent's ink.
void paintStatic(HWND control, const StaticState& state)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(control, &paint);
    RECT client;
    GetClientRect(control, &client);
    const HBRUSH paper = staticColours(control, dc);
    BITMAP image{};
    if (state.image && GetObjectW(state.image, sizeof image, &image)) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, state.image);
        BitBlt(dc, 0, 0, image.bmWidth, image.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        ExcludeClipRect(dc, 0, 0, image.bmWidth, image.bmHeight);
        FillRect(dc, &client, paper);
    } else {
        FillRect(dc, &client, paper);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        UINT format = DT_WORDBREAK | DT_EXPANDTABS;
        if ((style & SS_TYPEMASK) == SS_CENTER)
            format |= DT_CENTER;
        else if ((style & SS_TYPEMASK) == SS_RIGHT)
            format |= DT_RIGHT;
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        const HGDIOBJ old = SelectObject(dc, state.font ? state.font : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, windowText(control).c_str(), -1, &client, format);
        SelectObject(dc, old);
    }
    EndPaint(control, &paint);
}

LRESULT handleStatic(HWND control, StaticState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case STM_SETIMAGE: {
        if (wParam != IMAGE_BITMAP)
            return 0;
        const HBITMAP old = state.image;
        state.image = reinterpret_cast<HBITMAP>(lParam);
        InvalidateRect(control, nullptr, FALSE);
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
        return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(state.image) : 0;
    case WM_LBUTTONDOWN:
        notifyParent(control, STN_CLICKED);
        return 0;
    case WM_PAINT:
        paintStatic(control, state);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(control, message, wParam, lParam);
}

} // namespace

const wchar_t* drawnButtonClass()
{
    registerWindowClass(kButtonClass, controlProc<ButtonState, handleButton>);
    return kButtonClass;
}

const wchar_t* drawnStaticClass()
{
    registerWindowClass(kStaticClass, controlProc<StaticState, handleStatic>);
    return kStaticClass;
}

} // namespace morvane::win32
