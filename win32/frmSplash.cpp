#include "win32/frmSplash.h"

#include <oleacc.h>

#include <vector>

#include "win32/accessible.h"
#include "win32/drawnbutton.h"
#include "win32/input.h"
#include "win32/resource.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kSplashClass[] = L"MorvaneSplash";
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

class frmSplash::FrontEnd final : public SplashFrontEnd {
    frmSplash& window_;

public:
    explicit FrontEnd(frmSplash& window) : window_(window) {}

    void showLayout(const forms::SplashLayout& layout) override
    {
        window_.placeBanner(layout);
        InvalidateRect(window_.window_, nullptr, TRUE);
    }
    // A quit asked for meanwhile is left for the program's own loop.
    void processPendingEvents() override
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
    std::chrono::year_month_day today() override { return window_.desktop_.today(); }
    DateOrder dateOrder() override { return window_.desktop_.dateOrder(); }
    void openAddress(std::string_view url) override { window_.desktop_.openAddress(window_.window_, wide(url)); }
    void showGameWindow() override { window_.showGameWindow_(); }
    void closeSplash() override { DestroyWindow(window_.window_); }
    void endProgram() override { window_.desktop_.endProgram(); }
};

// A tool window keeps the splash off the taskbar. Its caption is empty, and
// with no close box it needs no title bar at all: a fixed frame around the
// white face. Alt+F4 still closes it.
//
// "&Continue" is the one control with a window of its own, a button the game
// draws; the link label and the banner are drawn by the splash itself, which
// reports the pointer over them. Under Wine every child window costs the
// first paint a few milliseconds more, and a system control would load the
// controls library first. Picture2 only stores the partner banner, which
// here is a resource of the program.
frmSplash::frmSplash(Desktop desktop, std::function<void()> showGameWindow)
    : desktop_(std::move(desktop)), showGameWindow_(std::move(showGameWindow)),
      frontEnd_(std::make_unique<FrontEnd>(*this)), controller_(*frontEnd_)
{
    registerFormClass(kSplashClass, formWindowProc<frmSplash>, nullptr, forms::frmSplash);
    requireWindow(CreateWindowExW(frameExStyle(forms::frmSplash.frame), kSplashClass,
                                  wide(forms::frmSplash.caption).c_str(), frameStyle(forms::frmSplash.frame), 0, 0,
                                  0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this));
    dpi_ = dpiOf(window_);
    Command1_ = makeControl(window_, drawnButtonClass(), 0, forms::Command1, kCommand1Id, dpi_);
    layOut();
    controller_.Form_Load();
}

frmSplash::~frmSplash()
{
    destroyFormWindow(*this);
    if (banner_)
        DeleteObject(banner_);
}

// Sizes the window and places the button and the label at its DPI.
void frmSplash::layOut()
{
    sizeWindow(window_, forms::frmSplash, dpi_);
    linkFont_ = makeFont(forms::SplashLabel1.font, dpi_);
    buttonFont_ = makeFont(forms::Command1.font, dpi_);
    SendMessageW(Command1_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), TRUE);
    place(Command1_, forms::Command1.rect, dpi_);
    Label1_ = rectOf(pixelRect(forms::SplashLabel1.rect, dpi_));
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
    Picture1_ = RECT{left, top, left + width, top + height};
}

// The form's face, then the link in its font and ink, and the banner.
void frmSplash::paint()
{
    PAINTSTRUCT painting;
    const HDC dc = BeginPaint(window_, &painting);
    if (controller_.layout().label1Visible) {
        const HGDIOBJ old = SelectObject(dc, linkFont_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colourOf(forms::SplashLabel1.foreground));
        RECT text = Label1_;
        const UINT alignment = forms::SplashLabel1.alignment == forms::Alignment::Centre ? DT_CENTER : DT_LEFT;
        DrawTextW(dc, wide(forms::SplashLabel1.text).c_str(), -1, &text, alignment | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    if (banner_) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, banner_);
        BitBlt(dc, Picture1_.left, Picture1_.top, Picture1_.right - Picture1_.left, Picture1_.bottom - Picture1_.top,
               source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(window_, &painting);
}

void frmSplash::Show()
{
    placeOnScreen(window_, forms::frmSplash);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetFocus(Command1_);
}

bool frmSplash::translateKeys(MSG& message)
{
    if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    const std::optional<KeyEvent> key = keyEvent(message);
    return (key && controller_.key(*key)) || IsDialogMessageW(window_, &message);
}

LRESULT frmSplash::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Win32 holds a pressed window's mouse only when asked: the splash holds
    // it from a press to the last release, so that the release is reported
    // wherever it comes, as other toolkits do by themselves.
    if (const std::optional<PointerEvent> pointer = pointerEvent(message, wParam, lParam, dpi_)) {
        if (pointer->action == PointerAction::Press)
            holdPointer(window_);
        controller_.pointer(*pointer);
        if (pointer->action == PointerAction::Release && pointer->buttons == 0)
            letGoOfPointer(window_);
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCommand1Id && HIWORD(wParam) == BN_CLICKED)
            controller_.Command1_Click();
        return 0;
    // The window's own letting go comes after the release: the cancel is then
    // nothing to the controller.
    case WM_CAPTURECHANGED:
        controller_.pointer(PointerEvent{.action = PointerAction::Cancel});
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    // Coming back to the splash gives "&Continue" the focus again, as when
    // the window opened.
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(Command1_);
        return 0;
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
    // The window is named for the program where its caption is empty, and
    // the banner and the link it draws are parts of its client area.
    case WM_GETOBJECT: {
        const LONG asked = static_cast<LONG>(lParam);
        if (asked != OBJID_WINDOW && asked != OBJID_CLIENT)
            break;
        std::vector<DrawnPart> parts;
        if (asked == OBJID_CLIENT) {
            parts.push_back({wide(controller_.layout().banner.text), ROLE_SYSTEM_GRAPHIC, Picture1_});
            if (controller_.layout().label1Visible)
                parts.push_back({wide(forms::SplashLabel1.text), ROLE_SYSTEM_LINK, Label1_});
        }
        return namedObject(window_, wParam, lParam, wide(forms::kProgramTitle), parts);
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
