#include "win32/controls.h"

#include "win32/desktop.h"
#include "win32/twips.h"

namespace morvane::win32 {

COLORREF colorOf(Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

namespace {

LOGFONTW logFontOf(const forms::Font& font, int dpi)
{
    LOGFONTW made{};
    if (font.face.empty()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi));
        return metrics.lfMessageFont;
    }
    made.lfHeight = fontHeight(font.points, dpi);
    made.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    made.lfUnderline = font.underline ? TRUE : FALSE;
    made.lfCharSet = ANSI_CHARSET;
    made.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = wide(font.face);
    face.copy(made.lfFaceName, LF_FACESIZE - 1);
    return made;
}

bool textFits(std::span<const HWND> labels, HFONT font)
{
    const HDC dc = GetDC(labels.front());
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    bool fits = true;
    for (const HWND label : labels) {
        const std::wstring text = windowText(label);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        RECT room;
        GetClientRect(label, &room);
        fits = fits && extent.cx <= room.right && metrics.tmHeight <= room.bottom;
    }
    SelectObject(dc, old);
    ReleaseDC(labels.front(), dc);
    return fits;
}

} // namespace

FontHandle makeFont(const forms::Font& font, int dpi)
{
    const LOGFONTW made = logFontOf(font, dpi);
    return FontHandle(CreateFontIndirectW(&made));
}

FontHandle fittingFont(const forms::Font& font, std::span<const HWND> labels, int dpi)
{
    LOGFONTW made = logFontOf(font, dpi);
    const LONG smallest = fontHeight(6, dpi);
    for (;;) {
        FontHandle candidate(CreateFontIndirectW(&made));
        // Heights are negative: one pixel smaller is one nearer zero.
        if (made.lfHeight >= smallest || textFits(labels, candidate.get()))
            return candidate;
        ++made.lfHeight;
    }
}

HWND makeControl(HWND parent, const wchar_t* windowClass, DWORD style, const forms::Control& control, int id,
                 int dpi)
{
    const PixelRect at = pixelRect(control.rect, dpi);
    return CreateWindowExW(0, windowClass, wide(control.text).c_str(),
                           style | WS_CHILD | WS_CLIPSIBLINGS | (control.visible ? WS_VISIBLE : 0), at.left, at.top,
                           at.width, at.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// A label's text is never a mnemonic: the counter may show whatever a
// loaded file held, "&" included.
HWND makeLabel(HWND parent, const forms::Control& control, int id, int dpi, DWORD extraStyle)
{
    DWORD style = extraStyle | SS_NOPREFIX | (control.alignment == forms::Alignment::Centre ? SS_CENTER : SS_LEFT);
    if (control.border != forms::Border::None)
        style |= WS_BORDER;
    return makeControl(parent, L"STATIC", style, control, id, dpi);
}

void place(HWND control, const forms::TwipsRect& rect, int dpi)
{
    const PixelRect at = pixelRect(rect, dpi);
    SetWindowPos(control, nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void stackInOrder(std::span<const HWND> windows)
{
    for (const HWND window : windows)
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void registerWindowClass(const wchar_t* name, WNDPROC proc, HICON icon, HBRUSH background)
{
    const HINSTANCE program = GetModuleHandleW(nullptr);
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    if (GetClassInfoExW(program, name, &cls))
        return;
    cls.lpfnWndProc = proc;
    cls.hInstance = program;
    cls.hIcon = icon;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = background;
    cls.lpszClassName = name;
    RegisterClassExW(&cls);
}

int dpiOf(HWND window)
{
    const UINT dpi = window ? GetDpiForWindow(window) : GetDpiForSystem();
    return dpi ? static_cast<int>(dpi) : kStandardDpi;
}

} // namespace morvane::win32
