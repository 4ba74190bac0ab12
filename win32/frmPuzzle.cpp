#include "win32/frmPuzzle.h"

#include <algorithm>
#include <vector>

#include "game/board.h"
#include "win32/resource.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kPuzzleClass[] = L"MorvanePuzzle";
constexpr UINT_PTR kTimer1 = 1;
constexpr int kFirstControlId = 200;

// File > New, Exit: plain captions, no marked letters, no shortcuts shown.
HMENU makeMenu()
{
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kNewCommand, wide(forms::mnuNew).c_str());
    AppendMenuW(file, MF_STRING, kExitCommand, wide(forms::mnuExit).c_str());
    const HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), wide(forms::mnuFile).c_str());
    return bar;
}

// Saving and loading a position have no menu entries; they answer the
// desktop's usual keys for save and open.
HACCEL makeKeys()
{
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'S', kSaveCommand}, {FVIRTKEY | FCONTROL, 'O', kLoadCommand}};
    return CreateAcceleratorTableW(keys, 2);
}

bool inGroup(std::span<const forms::Control* const> group, const forms::Control* control)
{
    return std::find(group.begin(), group.end(), control) != group.end();
}

} // namespace

frmPuzzle::frmPuzzle(Desktop desktop) : desktop_(std::move(desktop))
{
    registerFormClass(kPuzzleClass, formWindowProc<frmPuzzle>,
                      LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon)), forms::frmPuzzle);
    // The children are left out of the window's own painting, so the board
    // lines never cross a square.
    requireWindow(CreateWindowExW(frameExStyle(forms::frmPuzzle.frame), kPuzzleClass,
                                  wide(forms::frmPuzzle.caption).c_str(),
                                  frameStyle(forms::frmPuzzle.frame) | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                                  makeMenu(), GetModuleHandleW(nullptr), this));
    keys_ = makeKeys();
    dpi_ = dpiOf(window_);
    buildControls();
    sizeWindow(window_, forms::frmPuzzle, dpi_);
    placeOnScreen(window_, forms::frmPuzzle);
    controller_.Form_Load();
    SetTimer(window_, kTimer1, forms::kTimer1IntervalMs, nullptr);
}

std::unique_ptr<frmPuzzle>& frmPuzzle::theInstance()
{
    static std::unique_ptr<frmPuzzle> game;
    return game;
}

frmPuzzle& frmPuzzle::instance()
{
    if (!theInstance())
        theInstance() = std::make_unique<frmPuzzle>();
    return *theInstance();
}

frmPuzzle* frmPuzzle::loaded()
{
    return theInstance().get();
}

frmPuzzle::~frmPuzzle()
{
    destroyFormWindow(*this);
    DestroyAcceleratorTable(keys_);
}

// The window as it is defined, before it loads: every control, in the order
// of the definition, then the squares from 59 down to 0, each lying above
// the ones before it whatever moves later.
void frmPuzzle::buildControls()
{
    std::vector<HWND> stacking;
    for (std::size_t i = 0; i < forms::kPuzzleControls.size(); ++i) {
        const forms::Control& control = *forms::kPuzzleControls[i];
        const int id = kFirstControlId + static_cast<int>(i);
        controls_[i] = control.kind == forms::ControlKind::Label
                           ? makeLabel(window_, control, id, dpi_)
                           : makeControl(window_, L"BUTTON", BS_PUSHBUTTON, control, id, dpi_);
        stacking.push_back(controls_[i]);
    }
    for (int i = kSquareCount - 1; i >= 0; --i) {
        Square& square = cell_.at(static_cast<std::size_t>(i));
        square = {&controller_, i, colorOf(pieceColour(pieceOf(i)))};
        cellWindows_.at(static_cast<std::size_t>(i)) = makeCell(window_, square, twipsToPixels(kSquareTwips, dpi_));
        stacking.push_back(cell(i));
    }
    stackInOrder(stacking);
    layOut();
}

HWND frmPuzzle::control(const forms::Control& control) const
{
    return controls_.at(static_cast<std::size_t>(forms::indexOf(forms::kPuzzleControls, control)));
}

// Places and letters every control at the window's DPI: the instructions
// and the counter each in the size their group fits, the others in their
// own font.
void frmPuzzle::layOut()
{
    instructionsFont_ = fittingFont(forms::kInstructionLabels, dpi_);
    counterFont_ = fittingFont(forms::kCounterLabels, dpi_);
    for (std::size_t i = 0; i < forms::kPuzzleControls.size(); ++i) {
        const forms::Control* definition = forms::kPuzzleControls[i];
        place(controls_[i], definition->rect, dpi_);
        HFONT font = nullptr;
        if (inGroup(forms::kInstructionLabels, definition))
            font = instructionsFont_.get();
        else if (inGroup(forms::kCounterLabels, definition))
            font = counterFont_.get();
        else
            font = (fonts_[i] = makeFont(definition->font, dpi_)).get();
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    for (int i = 0; i < kSquareCount; ++i)
        placeSquare(i, puzzle().cell(i));
}

void frmPuzzle::Show()
{
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

bool frmPuzzle::translateKeys(MSG& message) const
{
    return window_ && (TranslateAcceleratorW(window_, keys_, &message) || helpPage_.isDialogMessage(message));
}

void frmPuzzle::placeSquare(int index, SquarePosition at)
{
    const int size = twipsToPixels(kSquareTwips, dpi_);
    SetWindowPos(cell(index), nullptr, twipsToPixels(at.left, dpi_), twipsToPixels(at.top, dpi_), size, size,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmPuzzle::showCounter(std::string_view text)
{
    SetWindowTextW(control(forms::lblTime), wide(text).c_str());
}

void frmPuzzle::beep()
{
    MessageBeep(MB_OK);
}

std::filesystem::path frmPuzzle::chooseFileToOpen()
{
    return desktop_.chooseFileToOpen(window_);
}

std::filesystem::path frmPuzzle::chooseFileToSave()
{
    return desktop_.chooseFileToSave(window_);
}

void frmPuzzle::reportMessage(std::string_view text)
{
    desktop_.report(window_, wide(text));
}

void frmPuzzle::showHelpPage(const HelpPage& page)
{
    helpPage_.show(window_, page);
}

void frmPuzzle::endProgram()
{
    desktop_.endProgram();
}

// The board is drawn on every repaint, so a square dragged across it never
// wipes out a line. Each line includes both of its ends.
void frmPuzzle::paintBoard()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    const HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (const Line& line : boardLines()) {
        const PixelLine at = pixelLine(line, dpi_);
        MoveToEx(dc, at.x1, at.y1, nullptr);
        LineTo(dc, at.x2 + (at.y1 == at.y2 ? 1 : 0), at.y2 + (at.x1 == at.x2 ? 1 : 0));
    }
    SelectObject(dc, old);
    EndPaint(window_, &paint);
}

LRESULT frmPuzzle::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) {
            if (fromInteger<HWND>(lParam) == control(forms::TOLMHelpControl1) && HIWORD(wParam) == BN_CLICKED)
                controller_.TOLMHelpControl1_Click();
            return 0;
        }
        switch (LOWORD(wParam)) {
        case kNewCommand:
            controller_.mnuNew_Click();
            return 0;
        case kExitCommand:
            controller_.mnuExit_Click();
            return 0;
        case kSaveCommand:
            controller_.SaveGame();
            return 0;
        case kLoadCommand:
            controller_.LoadGame();
            return 0;
        default:
            break;
        }
        break;
    case WM_TIMER:
        if (wParam == kTimer1)
            controller_.Timer1_Timer();
        return 0;
    case WM_CTLCOLORSTATIC: {
        const auto* at = std::find(controls_.begin(), controls_.end(), fromInteger<HWND>(lParam));
        if (at == controls_.end())
            break;
        return paintColours(fromInteger<HDC>(wParam),
                            *forms::kPuzzleControls.at(static_cast<std::size_t>(at - controls_.begin())));
    }
    case WM_PAINT:
        paintBoard();
        return 0;
    // The window follows a move to a monitor of another DPI: the same size
    // in twips, new fonts, every control and square placed again.
    case WM_DPICHANGED:
        dpi_ = followDpiChange(window_, wParam, lParam);
        sizeWindow(window_, forms::frmPuzzle, dpi_);
        layOut();
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    // Closed from its title bar, the window goes, and with it the program.
    case WM_DESTROY:
        controller_.Form_Unload();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace morvane::win32
