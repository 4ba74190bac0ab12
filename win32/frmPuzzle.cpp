#include "win32/frmPuzzle.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "game/board.h"
#include "game/forms.h"
#include "game/positiondisk.h"
#include "win32/twips.h"
#include "win32/resource.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kPuzzleClass[] = L"MorvanePuzzle";
constexpr UINT_PTR kTimer1 = 1;
constexpr int kFirstLabelId = 200;
constexpr int kHelpControlId = 300;

// A fixed single frame with the minimize button and no maximize button; the
// children are left out of the window's own painting, so the board lines
// never cross a square.
constexpr DWORD kPuzzleStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// File > New, Exit: plain captions, no marked letters, no shortcuts shown.
HMENU makeMenu()
{
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kNewCommand, wide(forms::kFileMenu[0].caption).c_str());
    AppendMenuW(file, MF_STRING, kExitCommand, wide(forms::kFileMenu[1].caption).c_str());
    const HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), wide(forms::mnuFile.caption).c_str());
    return bar;
}

// Saving and loading a position have no menu entries; they answer the
// desktop's usual keys for save and open.
HACCEL makeKeys()
{
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'S', kSaveCommand}, {FVIRTKEY | FCONTROL, 'O', kLoadCommand}};
    return CreateAcceleratorTableW(keys, 2);
}

} // namespace

frmPuzzle::frmPuzzle()
    : CommonDialog_(systemFileDialog()),
      report_(messageBoxReporter()),
      exitProgram_([] { ExitProcess(0); })
{
    registerWindowClass(kPuzzleClass, formWindowProc<frmPuzzle>,
                        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon)),
                        static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    CreateWindowExW(0, kPuzzleClass, wide(forms::frmPuzzle.caption).c_str(), kPuzzleStyle, 0, 0, 0, 0, nullptr,
                    makeMenu(), GetModuleHandleW(nullptr), this);
    keys_ = makeKeys();
    dpi_ = dpiOf(window_);
    buildControls();
    Form_Load();
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
    if (window_)
        DestroyWindow(window_);
    DestroyAcceleratorTable(keys_);
}

// The window as it is defined, before it loads: every control, in the order
// of the definition, then the squares from 59 down to 0.
void frmPuzzle::buildControls()
{
    std::vector<HWND> stacking;
    for (std::size_t i = 0; i < forms::kPuzzleControls.size(); ++i) {
        const forms::Control& control = *forms::kPuzzleControls[i];
        controls_[i] = control.kind == forms::ControlKind::HelpControl
                           ? TOLMHelpControl1_.create(window_, kHelpControlId, dpi_)
                           : makeLabel(window_, control, kFirstLabelId + static_cast<int>(i), dpi_);
        stacking.push_back(controls_[i]);
    }
    lblTime_ = controlOf(forms::lblTime);
    for (int i = kSquareCount - 1; i >= 0; --i) {
        Square& square = cell_.at(static_cast<std::size_t>(i));
        square = {this, i, colorOf(pieceColour(pieceOf(i)))};
        cellWindows_.at(static_cast<std::size_t>(i)) = makeCell(window_, square, twipsToPixels(kSquareTwips, dpi_));
        stacking.push_back(cell(i));
    }
    // Each later control lies above the ones before it, and no move changes that.
    stackInOrder(stacking);
    layOut();
}

HWND frmPuzzle::controlOf(const forms::Control& control) const
{
    const auto* at = std::find(forms::kPuzzleControls.begin(), forms::kPuzzleControls.end(), &control);
    return controls_.at(static_cast<std::size_t>(at - forms::kPuzzleControls.begin()));
}

std::vector<HWND> frmPuzzle::controlsOf(std::span<const forms::Control* const> group) const
{
    std::vector<HWND> windows;
    for (const forms::Control* control : group)
        windows.push_back(controlOf(*control));
    return windows;
}

// Sizes, places and letters every control at the window's DPI.
void frmPuzzle::layOut()
{
    for (std::size_t i = 0; i < forms::kPuzzleControls.size(); ++i)
        place(controls_[i], forms::kPuzzleControls[i]->rect, dpi_);
    titleFont_ = makeFont(forms::kTitleFont, dpi_);
    instructionsFont_ = fittingFont({}, controlsOf(forms::kInstructionLabels), dpi_);
    counterFont_ = fittingFont({}, controlsOf(forms::kCounterLabels), dpi_);
    const HWND help = TOLMHelpControl1_.window();
    helpFont_ = fittingFont({}, std::span(&help, 1), dpi_);
    const auto fontOf = [&](const forms::Control* control) {
        if (!control->font.face.empty())
            return titleFont_.get();
        const auto in = [&](std::span<const forms::Control* const> group) {
            return std::find(group.begin(), group.end(), control) != group.end();
        };
        if (in(forms::kCounterLabels))
            return counterFont_.get();
        return in(forms::kInstructionLabels) ? instructionsFont_.get() : helpFont_.get();
    };
    for (std::size_t i = 0; i < forms::kPuzzleControls.size(); ++i)
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(forms::kPuzzleControls[i])), TRUE);
    showAll();
}

void frmPuzzle::Form_Load()
{
    SetWindowPos(window_, nullptr, 0, 0, twipsToPixels(forms::frmPuzzle.width, dpi_),
                 twipsToPixels(forms::frmPuzzle.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    NewGame();
    TOLMHelpControl1_.setDispatchProperty(forms::kHelpContextProperty, forms::kHelpContextAtLoad);
    SetTimer(window_, kTimer1, forms::kTimer1IntervalMs, nullptr);
}

void frmPuzzle::Show()
{
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

bool frmPuzzle::translateAccelerator(MSG& message) const
{
    return window_ && TranslateAcceleratorW(window_, keys_, &message);
}

void frmPuzzle::NewGame()
{
    puzzle_.NewGame();
    showAll();
}

void frmPuzzle::showPiece(int piece)
{
    const int size = twipsToPixels(kSquareTwips, dpi_);
    for (int i = firstSquareOf(piece); i < firstSquareOf(piece) + kSquaresPerPiece; ++i) {
        const SquarePosition at = puzzle_.cell(i);
        SetWindowPos(cell(i), nullptr, twipsToPixels(at.left, dpi_), twipsToPixels(at.top, dpi_), size, size,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void frmPuzzle::showAll()
{
    for (int p = 0; p < kPieceCount; ++p)
        showPiece(p);
    SetWindowTextW(lblTime_, wide(puzzle_.caption()).c_str());
}

void frmPuzzle::react(MoveOutcome outcome, int index)
{
    if (outcome == MoveOutcome::Moved)
        showPiece(pieceOf(index));
    else if (outcome == MoveOutcome::Refused)
        MessageBeep(MB_OK);  // too far out for the game's numbers: the piece stays as it was
}

void frmPuzzle::cell_MouseDown(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseDown(index, button, shift, x, y), index);
}

void frmPuzzle::cell_MouseMove(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseMove(index, button, shift, x, y), index);
}

void frmPuzzle::cell_MouseUp(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseUp(index, button, shift, x, y), index);
}

void frmPuzzle::Timer1_Timer()
{
    puzzle_.Timer1_Timer();
    SetWindowTextW(lblTime_, wide(puzzle_.caption()).c_str());
}

void frmPuzzle::mnuNew_Click()
{
    NewGame();
}

void frmPuzzle::mnuExit_Click()
{
    exitProgram_();
}

void frmPuzzle::SaveGame()
{
    const std::filesystem::path name = CommonDialog_.ShowSave(window_);
    if (name.empty())
        return;
    if (!savePositionFile(name, puzzle_.cell(), puzzle_.caption()))
        report_(window_, wide(forms::kSaveFailed));
}

// Every value is read and checked before any square moves: a load applies a
// whole position or nothing.
void frmPuzzle::LoadGame()
{
    const std::filesystem::path name = CommonDialog_.ShowOpen(window_);
    if (name.empty())
        return;
    const std::optional<SavedPosition> position = loadPositionFile(name);
    if (!position) {
        report_(window_, wide(forms::kLoadFailed));
        return;
    }
    puzzle_.setPosition(position->cell, position->caption);
    showAll();
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

// The window follows a move to a monitor of another DPI: the same size in
// twips, new fonts, every control placed again.
void frmPuzzle::onDpiChanged(int dpi, const RECT& suggested)
{
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, twipsToPixels(forms::frmPuzzle.width, dpi_),
                 twipsToPixels(forms::frmPuzzle.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT frmPuzzle::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kNewCommand:
            mnuNew_Click();
            return 0;
        case kExitCommand:
            mnuExit_Click();
            return 0;
        case kSaveCommand:
            SaveGame();
            return 0;
        case kLoadCommand:
            LoadGame();
            return 0;
        case kHelpControlId:
            if (HIWORD(wParam) == BN_CLICKED)
                TOLMHelpControl1_.showTopic();
            return 0;
        default:
            break;
        }
        break;
    case WM_TIMER:
        if (wParam == kTimer1)
            Timer1_Timer();
        return 0;
    // The game's own white surface carries the game's own black ink,
    // whatever the desktop's colours.
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, colorOf(forms::kBlack));
        SetBkColor(dc, colorOf(forms::kWhite));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_PAINT:
        paintBoard();
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        KillTimer(window_, kTimer1);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace morvane::win32
