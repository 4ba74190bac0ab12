#include "win32/frmSplash.h"

#include <windowsx.h>

#include "win32/drawnbutton.h"
#include "win32/frmPuzzle.h"
#include "win32/twips.h"
#include "win32/resource.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kSplashClass[] = L"MorvaneSplash";
// "&Continue" is the window's default button: Enter presses it wherever the focus is.
constexpr int kCommand1Id = IDOK;

// A tool window keeps the splash off the taskbar. Its caption is empty, and
// with no close box it needs no title bar at all, as on every desktop the
// game runs on: a fixed frame around the white face. Alt+F4 still closes it.
constexpr DWORD kSplashStyle = WS_POPUP | WS_DLGFRAME;
constexpr DWORD kSplashExStyle = WS_EX_TOOLWINDOW;

RECT rectOf(const PixelRect& at)
{
    return RECT{at.left, at.top, at.left + at.width, at.top + at.height};
}

int bitmapOf(const forms::Banner& banner)
{
    return banner.resource == forms::kPartnerBanner.resource ? kPartnerBannerBitmap : kDefaultBannerBitmap;
}

} // namespace

frmSplash::frmSplash(SplashDesktop desktop)
    : desktop_(std::move(desktop)),
      makeGameWindow_([] { frmPuzzle::instance().Show(); }),
      endProgram_([] { PostQuitMessage(0); })
{
    registerWindowClass(kSplashClass, formWindowProc<frmSplash>, nullptr,
                        static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    CreateWindowExW(kSplashExStyle, kSplashClass, wide(forms::frmSplash.caption).c_str(), kSplashStyle, 0, 0, 0, 0,
                    nullptr, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = dpiOf(window_);
    buildControls();
    Form_Load();
}

frmSplash::~frmSplash()
{
    if (window_)
        DestroyWindow(window_);
    if (banner_)
        DeleteObject(banner_);
}

// The window as it is defined, before it loads. "&Continue" is the one
// control with a window of its own, a button the game draws; the link label
// and the banner are drawn by the splash itself, which answers their clicks.
// Under Wine every child window costs the first paint a few milliseconds
// more, and a system control would load the controls library first.
// Picture2 only stores the partner banner, which here is a resource of the
// program.
void frmSplash::buildControls()
{
    Command1_ = makeControl(window_, drawnButtonClass(), WS_TABSTOP, forms::Command1, kCommand1Id, dpi_);
}

void frmSplash::Form_Load()
{
    layout_ = forms::splashLayout(partnerTest());
    layOut();
    if (!layout_.label1Visible)
        return;
    Picture1_Change();
    label1Visible_ = true;
}

// Sizes the window and places the button, the label and the banner at its
// DPI, the banner loaded at the size that keeps it 15 twips to its pixel.
void frmSplash::layOut()
{
    RECT frame{0, 0, twipsToPixels(forms::frmSplash.width, dpi_), twipsToPixels(forms::frmSplash.height, dpi_)};
    AdjustWindowRectExForDpi(&frame, kSplashStyle, FALSE, kSplashExStyle, static_cast<UINT>(dpi_));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    linkFont_ = makeFont(forms::SplashLabel1.font, dpi_);
    buttonFont_ = makeFont(forms::Command1.font, dpi_);
    SendMessageW(Command1_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), TRUE);
    place(Command1_, forms::Command1.rect, dpi_);
    label1_ = rectOf(pixelRect(forms::SplashLabel1.rect, dpi_));

    const int width = bannerPixels(layout_.banner.widthPixels, dpi_);
    const int height = bannerPixels(layout_.banner.heightPixels, dpi_);
    const HBITMAP old = banner_;
    banner_ = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapOf(layout_.banner)),
                                              IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION));
    if (old)
        DeleteObject(old);
    const int left = twipsToPixels(layout_.picture1Left, dpi_);
    const int top = twipsToPixels(layout_.picture1Top, dpi_);
    picture1_ = RECT{left, top, left + width, top + height};
}

// The white face, then the link in its font and ink, and the banner.
void frmSplash::paint()
{
    PAINTSTRUCT painting;
    const HDC dc = BeginPaint(window_, &painting);
    if (label1Visible_) {
        const HGDIOBJ old = SelectObject(dc, linkFont_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colorOf(forms::SplashLabel1.foreground));
        RECT text = label1_;
        const UINT alignment = forms::SplashLabel1.alignment == forms::Alignment::Centre ? DT_CENTER : DT_LEFT;
        DrawTextW(dc, wide(forms::SplashLabel1.text).c_str(), -1, &text, alignment | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    if (banner_) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, banner_);
        BitBlt(dc, picture1_.left, picture1_.top, picture1_.right - picture1_.left, picture1_.bottom - picture1_.top,
               source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(window_, &painting);
}

// What a point of the window would open: the link where it shows, else the banner.
frmSplash::Part frmSplash::partAt(POINT point) const
{
    if (label1Visible_ && PtInRect(&label1_, point))
        return Part::Label1;
    if (PtInRect(&picture1_, point))
        return Part::Picture1;
    return Part::None;
}

void frmSplash::Show()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT frame;
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const RECT& screen = monitor.rcMonitor;
    SetWindowPos(window_, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetFocus(Command1_);
}

bool frmSplash::isDialogMessage(MSG& message) const
{
    return window_ && IsDialogMessageW(window_, &message);
}

void frmSplash::Picture1_Change()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void frmSplash::Picture1_Click()
{
    UrlTo(window_, partnerTest() ? forms::kPartnerAddress : forms::kMakerAddress);
}

void frmSplash::Label1_Click()
{
    UrlTo(window_, forms::kPartnerAddress);
}

// The game window is on screen before the splash goes, so there is never a
// moment without a window.
void frmSplash::Command1_Click()
{
    if (handedOver_)
        return;
    makeGameWindow_();
    handedOver_ = true;
    DestroyWindow(window_);
}

void frmSplash::UrlTo(HWND windowHandle, std::string_view szURL)
{
    desktop_.openUrl(windowHandle, wide(szURL));
}

bool frmSplash::partnerTest() const
{
    return partnerPeriod(desktop_.today(), desktop_.dateOrder());
}

void frmSplash::onDpiChanged(int dpi, const RECT& suggested)
{
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT frmSplash::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCommand1Id && HIWORD(wParam) == BN_CLICKED)
            Command1_Click();
        return 0;
    case WM_LBUTTONDOWN:
        switch (partAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
        case Part::Label1:
            Label1_Click();
            break;
        case Part::Picture1:
            Picture1_Click();
            break;
        case Part::None:
            break;
        }
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    // Coming back to the splash gives "&Continue" the focus again, so Space
    // presses it as it did when the window opened.
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(Command1_);
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(kCommand1Id, DC_HASDEFID);
    // The hand over the link and the banner.
    case WM_SETCURSOR: {
        POINT over{};
        GetCursorPos(&over);
        ScreenToClient(window_, &over);
        if (reinterpret_cast<HWND>(wParam) == window_ && LOWORD(lParam) == HTCLIENT && partAt(over) != Part::None) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    // Closed any other way than by "&Continue", the splash leaves no window
    // open, and the program ends.
    case WM_DESTROY:
        if (!handedOver_)
            endProgram_();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace morvane::win32
