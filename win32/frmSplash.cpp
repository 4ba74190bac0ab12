#include "win32/frmSplash.h"

#include <windowsx.h>

#include "win32/drawnbutton.h"
#include "win32/frmPuzzle.h"
#include "win32/resource.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kSplashClass[] = L"MorvaneSplash";
// "&Continue" is the window's default button: Enter presses it wherever the focus is.
constexpr int kCommand1Id = IDOK;

RECT rectOf(const PixelRect& at)
{
    return RECT{at.left, at.top, at.left + at.width, at.top + at.height};
}

int bitmapOf(const forms::Banner& banner)
{
    return banner.resource == forms::kPartnerBanner.resource ? kPartnerBannerBitmap : kDefaultBannerBitmap;
}

} // namespace

// A tool window keeps the splash off the taskbar. Its caption is empty, and
// with no close box it needs no title bar at all: a fixed frame around the
// white face. Alt+F4 still closes it.
frmSplash::frmSplash(Desktop desktop)
    : desktop_(std::move(desktop)), showGameWindow_([] { frmPuzzle::instance().Show(); })
{
    registerFormClass(kSplashClass, formWindowProc<frmSplash>, nullptr, forms::frmSplash);
    requireWindow(CreateWindowExW(frameExStyle(forms::frmSplash.frame), kSplashClass,
                                  wide(forms::frmSplash.caption).c_str(), frameStyle(forms::frmSplash.frame), 0, 0,
                                  0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this));
    dpi_ = dpiOf(window_);
    buildControls();
    layOut();
    controller_.Form_Load();
}

frmSplash::~frmSplash()
{
    destroyFormWindow(*this);
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
    for (const forms::Control* control : forms::kSplashControls)
        if (control->kind == forms::ControlKind::Button)
            Command1_ = makeControl(window_, drawnButtonClass(), 0, *control, kCommand1Id, dpi_);
}

// Sizes the window and places the button and the label at its DPI.
void frmSplash::layOut()
{
    sizeWindow(window_, forms::frmSplash, dpi_);
    linkFont_ = makeFont(forms::SplashLabel1.font, dpi_);
    buttonFont_ = makeFont(forms::Command1.font, dpi_);
    SendMessageW(Command1_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), TRUE);
    place(Command1_, forms::Command1.rect, dpi_);
    label1_ = rectOf(pixelRect(forms::SplashLabel1.rect, dpi_));
}

void frmSplash::showLayout(const forms::SplashLayout& layout)
{
    placeBanner(layout);
    InvalidateRect(window_, nullptr, TRUE);
}

// The banner loaded at the size that keeps it 15 twips to its pixel.
void frmSplash::placeBanner(const forms::SplashLayout& layout)
{
    const int width = bannerPixels(layout.banner.widthPixels, dpi_);
    const int height = bannerPixels(layout.banner.heightPixels, dpi_);
    const HBITMAP old = banner_;
    banner_ = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapOf(layout.banner)),
                                              IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION));
    if (old)
        DeleteObject(old);
    const int left = twipsToPixels(layout.picture1Left, dpi_);
    const int top = twipsToPixels(layout.picture1Top, dpi_);
    picture1_ = RECT{left, top, left + width, top + height};
}

// The form's face, then the link in its font and ink, and the banner.
void frmSplash::paint()
{
    PAINTSTRUCT painting;
    const HDC dc = BeginPaint(window_, &painting);
    if (controller_.layout().label1Visible) {
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

POINTFLOAT frmSplash::twipsAt(LPARAM point) const
{
    return {pixelsToTwips(GET_X_LPARAM(point), dpi_), pixelsToTwips(GET_Y_LPARAM(point), dpi_)};
}

void frmSplash::Show()
{
    placeOnScreen(window_, forms::frmSplash);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetFocus(Command1_);
}

bool frmSplash::isDialogMessage(MSG& message) const
{
    return window_ && IsDialogMessageW(window_, &message);
}

// A quit asked for meanwhile is left for the program's own loop.
void frmSplash::processPendingEvents()
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

void frmSplash::openAddress(std::string_view url)
{
    desktop_.openUrl(window_, wide(url));
}

LRESULT frmSplash::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCommand1Id && HIWORD(wParam) == BN_CLICKED)
            controller_.Command1_Click();
        return 0;
    // The press holds the pointer, so the release comes here wherever it is.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        captureOnPress(window_);
        const POINTFLOAT at = twipsAt(lParam);
        controller_.Form_MouseDown(buttonOf(message), at.x, at.y);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        releaseOnLastButtonUp(window_, wParam);
        const POINTFLOAT at = twipsAt(lParam);
        controller_.Form_MouseUp(buttonOf(message), at.x, at.y);
        return 0;
    }
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
    case WM_SETCURSOR: {
        POINT over{};
        GetCursorPos(&over);
        ScreenToClient(window_, &over);
        if (fromInteger<HWND>(wParam) == window_ && LOWORD(lParam) == HTCLIENT
            && controller_.opensAddressAt(pixelsToTwips(over.x, dpi_), pixelsToTwips(over.y, dpi_))) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_DPICHANGED:
        dpi_ = followDpiChange(window_, wParam, lParam);
        layOut();
        placeBanner(controller_.layout());
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    case WM_DESTROY:
        controller_.Form_Unload();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace morvane::win32
