#include "win32/controls.h"

#include "game/puzzle.h"
#include "win32/desktop.h"
#include "win32/twips.h"

namespace morvane::win32 {

COLORREF colourOf(Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

DWORD frameStyle(forms::Frame frame)
{
    return frame == forms::Frame::ToolWindow ? WS_POPUP | WS_DLGFRAME
                                             : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

DWORD frameExStyle(forms::Frame frame)
{
    return frame == forms::Frame::ToolWindow ? WS_EX_TOOLWINDOW : 0;
}

void sizeWindow(HWND window, const forms::Form& form, int dpi)
{
    RECT frame{0, 0, twipsToPixels(form.size.width, dpi), twipsToPixels(form.size.height, dpi)};
    if (!form.sizeIsOuter)
        AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                                 GetMenu(window) != nullptr, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)),
                                 static_cast<UINT>(dpi));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MONITORINFO monitorOf(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor;
}

int followDpiChange(HWND window, WPARAM wParam, LPARAM lParam)
{
    const RECT& suggested = *fromInteger<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return HIWORD(wParam);
}

void placeOnScreen(HWND window, const forms::Form& form)
{
    const RECT screen = monitorOf(window).rcMonitor;
    POINT corner{screen.left, screen.top};
    if (form.placement == forms::Placement::CentreOfScreen) {
        RECT frame;
        GetWindowRect(window, &frame);
        corner.x += (screen.right - screen.left - (frame.right - frame.left)) / 2;
        corner.y += (screen.bottom - screen.top - (frame.bottom - frame.top)) / 2;
    }
    SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LOGFONTW messageFont(int dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi));
    return metrics.lfMessageFont;
}

FontHandle makeFont(const forms::Font& font, int dpi)
{
    if (font.face.empty()) {
        const LOGFONTW desktop = messageFont(dpi);
        return FontHandle(CreateFontIndirectW(&desktop));
    }
    LOGFONTW made{};
    made.lfHeight = fontHeight(font.points, dpi);
    made.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    made.lfUnderline = font.underline ? TRUE : FALSE;
    made.lfCharSet = ANSI_CHARSET;
    made.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = wide(font.face);
    face.copy(made.lfFaceName, LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&made));
}

TextMeasure messageFontMeasure(int dpi)
{
    return [dpi](std::string_view text, double points) {
        LOGFONTW desktop = messageFont(dpi);
        desktop.lfHeight = fontHeight(points, dpi);
        const FontHandle font(CreateFontIndirectW(&desktop));
        const HDC dc = GetDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, font.get());
        const std::wstring letters = wide(text);
        SIZE extent{};
        GetTextExtentPoint32W(dc, letters.c_str(), static_cast<int>(letters.size()), &extent);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return TextExtent{.width = extent.cx * twipsPerPixel(dpi), .height = metrics.tmHeight * twipsPerPixel(dpi)};
    };
}

FontHandle fittingFont(std::span<const forms::Control* const> labels, int dpi)
{
    LOGFONTW desktop = messageFont(dpi);
    const double points = -desktop.lfHeight * 72.0 / dpi;
    const double fitting = fittingPointSize(labels, points, twipsPerPixel(dpi), messageFontMeasure(dpi));
    if (fitting != points)
        desktop.lfHeight = fontHeight(fitting, dpi);
    return FontHandle(CreateFontIndirectW(&desktop));
}

HWND makeControl(HWND parent, const wchar_t* windowClass, DWORD style, const forms::Control& control, int id,
                 int dpi)
{
    const PixelRect at = pixelRect(control.rect, dpi);
    style |= WS_CHILD | WS_CLIPSIBLINGS | (control.visible ? WS_VISIBLE : 0)
             | (control.tabIndex != forms::kNoTabStop ? WS_TABSTOP : 0)
             | (control.border == forms::Border::Single ? WS_BORDER : 0);
    return CreateWindowExW(control.border == forms::Border::Sunken ? WS_EX_CLIENTEDGE : 0, windowClass,
                           wide(control.text).c_str(), style, at.left, at.top, at.width, at.height, parent,
                           fromInteger<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
}

HWND makeLabel(HWND parent, const forms::Control& control, int id, int dpi)
{
    const DWORD style = SS_NOPREFIX | (control.alignment == forms::Alignment::Centre ? SS_CENTER : SS_LEFT);
    return makeControl(parent, L"STATIC", style, control, id, dpi);
}

void place(HWND control, const forms::TwipsRect& rect, int dpi)
{
    const PixelRect at = pixelRect(rect, dpi);
    SetWindowPos(control, nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The DC's own brush takes the colour, so no brush is made per control.
LRESULT paintColours(HDC dc, const forms::Control& control)
{
    SetTextColor(dc, colourOf(control.foreground));
    SetBkColor(dc, colourOf(control.background));
    SetDCBrushColor(dc, colourOf(control.background));
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

void stackInOrder(std::span<const HWND> windows)
{
    for (const HWND window : windows)
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

namespace {

bool registered(const wchar_t* name)
{
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    return GetClassInfoExW(GetModuleHandleW(nullptr), name, &cls) != FALSE;
}

} // namespace

void registerWindowClass(const wchar_t* name, WNDPROC proc, HICON icon, HBRUSH background)
{
    if (registered(name))
        return;
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hIcon = icon;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = background;
    cls.lpszClassName = name;
    RegisterClassExW(&cls);
}

void requireWindow(HWND window)
{
    if (window)
        return;
    MessageBoxW(nullptr, L"Morvane could not open its window.", wide(forms::kProgramTitle).c_str(),
                MB_OK | MB_ICONERROR);
    ExitProcess(1);
}

// A class is registered once, so its brush, made here, lasts as long as the
// program.
void registerFormClass(const wchar_t* name, WNDPROC proc, HICON icon, const forms::Form& form)
{
    if (registered(name))
        return;
    registerWindowClass(name, proc, icon,
                        form.background == forms::kWhite ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                                         : CreateSolidBrush(colourOf(form.background)));
}

int dpiOf(HWND window)
{
    const UINT dpi = window ? GetDpiForWindow(window) : GetDpiForSystem();
    return dpi ? static_cast<int>(dpi) : kStandardDpi;
}

} // namespace morvane::win32
