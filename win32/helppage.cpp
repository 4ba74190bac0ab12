#include "win32/helppage.h"

#include <algorithm>
#include <string>

#include "win32/desktop.h"
#include "win32/resource.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kHelpPageClass[] = L"MorvaneHelpPage";
constexpr DWORD kHelpPageStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// The page's measures in twips: its margin, the width its text wraps at,
// the space between paragraphs, between rows and between a row's action
// and its description, and its Close button.
constexpr int kMargin = 180;
constexpr int kTextWidth = 5700;
constexpr int kParagraphGap = 120;
constexpr int kRowGap = 60;
constexpr int kColumnGap = 180;
constexpr forms::TwipsSize kCloseButton{.width = 1125, .height = 345};

SIZE extentOf(HDC dc, const std::wstring& text)
{
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

// A paragraph wrapped between `left` and `right` from `top`: its height.
int paragraph(HDC dc, const std::wstring& text, int left, int top, int right, bool draw)
{
    RECT room{left, top, right, top};
    return DrawTextW(dc, text.c_str(), -1, &room, DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP | (draw ? 0 : DT_CALCRECT));
}

} // namespace

HelpPageWindow::~HelpPageWindow()
{
    destroyFormWindow(*this);
}

void HelpPageWindow::show(HWND owner, const HelpPage& page)
{
    page_ = page;
    if (window_) {
        SetWindowTextW(window_, wide(page_.title).c_str());
        layOut();
        InvalidateRect(window_, nullptr, TRUE);
        SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(window_);
        return;
    }
    registerWindowClass(kHelpPageClass, formWindowProc<HelpPageWindow>,
                        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon)),
                        fromInteger<HBRUSH>(COLOR_WINDOW + 1));
    // Without a window of its own the page is simply not shown; the game goes on.
    if (!CreateWindowExW(0, kHelpPageClass, wide(page_.title).c_str(), kHelpPageStyle, 0, 0, 0, 0, owner, nullptr,
                         GetModuleHandleW(nullptr), this))
        return;
    dpi_ = dpiOf(window_);
    close_ = CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                             window_, fromInteger<HMENU>(IDCANCEL),
                             GetModuleHandleW(nullptr), nullptr);
    layOut();

    // Beside the game, as far inside the owner's monitor as it fits.
    RECT beside;
    GetWindowRect(owner, &beside);
    RECT frame;
    GetWindowRect(window_, &frame);
    const RECT work = monitorOf(owner).rcWork;
    const int left = std::max(work.left, std::min(beside.right, work.right - (frame.right - frame.left)));
    const int top = std::max(work.top, std::min(beside.top, work.bottom - (frame.bottom - frame.top)));
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOW);
}

bool HelpPageWindow::isDialogMessage(MSG& message) const
{
    return window_ && IsDialogMessageW(window_, &message);
}

// The About line, its name in bold; the introduction; then each row, its
// action in bold in a column of its own and its description wrapped beside
// it. Measured with `draw` false, it only finds where the text ends.
int HelpPageWindow::flowText(HDC dc, bool draw) const
{
    const int margin = twipsToPixels(kMargin, dpi_);
    const int right = margin + twipsToPixels(kTextWidth, dpi_);
    const int paragraphGap = twipsToPixels(kParagraphGap, dpi_);
    int y = margin;
    if (page_.about) {
        const std::wstring name = wide(page_.about->name);
        const std::wstring rest = wide(page_.about->rest);
        SelectObject(dc, bold_.get());
        const SIZE bold = extentOf(dc, name);
        if (draw)
            TextOutW(dc, margin, y, name.c_str(), static_cast<int>(name.size()));
        SelectObject(dc, font_.get());
        y += std::max<int>(bold.cy, paragraph(dc, rest, margin + bold.cx, y, right, draw)) + paragraphGap;
    }
    SelectObject(dc, font_.get());
    y += paragraph(dc, wide(page_.introduction), margin, y, right, draw) + paragraphGap;

    SelectObject(dc, bold_.get());
    int actionWidth = 0;
    for (const HelpRow& row : page_.rows)
        actionWidth = std::max<int>(actionWidth, extentOf(dc, wide(row.action)).cx);
    const int description = margin + actionWidth + twipsToPixels(kColumnGap, dpi_);
    for (const HelpRow& row : page_.rows) {
        SelectObject(dc, bold_.get());
        const int action = paragraph(dc, wide(row.action), margin, y, description, draw);
        SelectObject(dc, font_.get());
        y += std::max(action, paragraph(dc, wide(row.description), description, y, right, draw))
             + twipsToPixels(kRowGap, dpi_);
    }
    return y;
}

// Fonts at the page's DPI, the window sized around its text and the Close
// button at its foot, on the right.
void HelpPageWindow::layOut()
{
    LOGFONTW font = messageFont(dpi_);
    font_.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    bold_.reset(CreateFontIndirectW(&font));
    SendMessageW(close_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);

    const HDC dc = GetDC(window_);
    const HGDIOBJ old = SelectObject(dc, font_.get());
    const int textBottom = flowText(dc, false);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);

    const int margin = twipsToPixels(kMargin, dpi_);
    const int width = 2 * margin + twipsToPixels(kTextWidth, dpi_);
    const int buttonWidth = twipsToPixels(kCloseButton.width, dpi_);
    const int buttonHeight = twipsToPixels(kCloseButton.height, dpi_);
    const int buttonTop = textBottom + twipsToPixels(kParagraphGap, dpi_);
    SetWindowPos(close_, nullptr, width - margin - buttonWidth, buttonTop, buttonWidth, buttonHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame{0, 0, width, buttonTop + buttonHeight + margin};
    AdjustWindowRectExForDpi(&frame, kHelpPageStyle, FALSE, 0, static_cast<UINT>(dpi_));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HelpPageWindow::paint()
{
    PAINTSTRUCT painting;
    const HDC dc = BeginPaint(window_, &painting);
    const HGDIOBJ old = SelectObject(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    flowText(dc, true);
    SelectObject(dc, old);
    EndPaint(window_, &painting);
}

LRESULT HelpPageWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
            DestroyWindow(window_);
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(IDCANCEL, DC_HASDEFID);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(close_);
        return 0;
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_PAINT:
        paint();
        return 0;
    case WM_DPICHANGED:
        dpi_ = followDpiChange(window_, wParam, lParam);
        layOut();
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace morvane::win32
