#include "win32/frmPuzzle.h"

#include <algorithm>
#include <vector>

#include "game/board.h"
#include "game/pieceplaces.h"
#include "game/positiondisk.h"
#include "win32/accessible.h"
#include "win32/input.h"
#include "win32/resource.h"
#include "win32/square.h"
#include "win32/twips.h"

namespace morvane::win32 {

namespace {

constexpr wchar_t kPuzzleClass[] = L"MorvanePuzzle";
constexpr UINT_PTR kTimer1 = 1;
constexpr int kFirstControlId = 200;
enum Command : WORD { kNewCommand = 100, kExitCommand };

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

bool inGroup(std::span<const forms::Control* const> group, const forms::Control* control)
{
    return std::find(group.begin(), group.end(), control) != group.end();
}

} // namespace

int controlId(const forms::Control& control)
{
    return kFirstControlId + forms::indexOf(forms::kPuzzleControls, control);
}

class frmPuzzle::FrontEnd final : public PuzzleFrontEnd {
    frmPuzzle& window_;

public:
    explicit FrontEnd(frmPuzzle& window) : window_(window) {}

    void placeSquare(int index, SquarePosition at) override
    {
        const int size = twipsToPixels(kSquareTwips, window_.dpi_);
        SetWindowPos(window_.cell_.at(static_cast<std::size_t>(index)), nullptr, twipsToPixels(at.left, window_.dpi_),
                     twipsToPixels(at.top, window_.dpi_), size, size, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void showCounter(std::string_view text) override
    {
        SetWindowTextW(window_.control(forms::lblTime), wide(text).c_str());
    }
    void beep() override { MessageBeep(MB_OK); }
    void endProgram() override { window_.desktop_.endProgram(); }
    void showHelpPage(const HelpPage& page) override { window_.helpPage_.show(window_.window_, page); }
    // Win32 has no hold of its own on a pressed window: the game window
    // takes the mouse while the controller asks.
    void capturePointer(int) override { holdPointer(window_.window_); }
    void releasePointer(int) override { letGoOfPointer(window_.window_); }
    void reportMessage(std::string_view text) override
    {
        window_.desktop_.reportMessage(window_.window_, wide(text));
    }
    void keepInChosenFile(std::string bytes) override
    {
        const std::wstring name = window_.desktop_.chooseFileToSave(window_.window_);
        window_.controller_.fileKept(name.empty()                        ? FileOutcome::Cancelled
                                     : replaceFile(name.c_str(), bytes) ? FileOutcome::Failed
                                                                        : FileOutcome::Done);
    }
    void readChosenFile() override
    {
        const std::wstring name = window_.desktop_.chooseFileToOpen(window_.window_);
        if (name.empty()) {
            window_.controller_.fileRead(FileOutcome::Cancelled);
            return;
        }
        const std::optional<std::string> bytes = readPositionBytes(name.c_str());
        window_.controller_.fileRead(bytes ? FileOutcome::Done : FileOutcome::Failed, bytes.value_or(""));
    }
    // Windows turns a finger into the mouse, and a finger held still into a
    // right click, by itself: every pointer is reported as the mouse, and a
    // finger's hold and the handles are never asked of this window.
    void showHold(int, bool) override {}
    void startHoldTimer(int, int) override {}
    void showHandles(bool, float, float, float, float) override {}
    void focusPiece(int piece) override { SetFocus(window_.cell_.at(static_cast<std::size_t>(firstSquareOf(piece)))); }
    void markSquare(int index, int edges) override { markCell(window_.cell_.at(static_cast<std::size_t>(index)), edges); }
    // Every square of the piece answers to its name.
    void namePiece(int piece, std::string_view name) override
    {
        const std::wstring text = wide(name);
        const auto first = static_cast<std::size_t>(firstSquareOf(piece));
        for (std::size_t i = first; i < first + kSquaresPerPiece; ++i)
            SetWindowTextW(window_.cell_.at(i), text.c_str());
    }
    // MSAA has no announcements of its own, but a screen reader reads out a
    // new name of the object with the focus when it is ready: the square with
    // the focus tells its name again when that is the place just settled.
    void announce(std::string_view text) override
    {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_.window_, focus) && windowText(focus) == wide(text))
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, focus, OBJID_CLIENT, CHILDID_SELF);
    }
};

// The window and its controls are made before the controller loads, so
// that its first requests have squares to place.
frmPuzzle::frmPuzzle(Desktop desktop)
    : desktop_(std::move(desktop)), frontEnd_(std::make_unique<FrontEnd>(*this)), controller_(*frontEnd_)
{
    registerFormClass(kPuzzleClass, formWindowProc<frmPuzzle>,
                      LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon)), forms::frmPuzzle);
    // The children are left out of the window's own painting, so the board
    // lines never cross a square.
    requireWindow(CreateWindowExW(frameExStyle(forms::frmPuzzle.frame), kPuzzleClass,
                                  wide(forms::frmPuzzle.caption).c_str(),
                                  frameStyle(forms::frmPuzzle.frame) | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                                  makeMenu(), GetModuleHandleW(nullptr), this));
    dpi_ = dpiOf(window_);
    buildControls();
    sizeWindow(window_, forms::frmPuzzle, dpi_);
    placeOnScreen(window_, forms::frmPuzzle);
    controller_.Form_Load();
    SetTimer(window_, kTimer1, forms::kTimer1IntervalMs, nullptr);
}

frmPuzzle::~frmPuzzle()
{
    destroyFormWindow(*this);
}

// The window as it is defined, before it loads: every control, in the order
// of the definition, then the squares from 59 down to 0, each lying above
// the ones before it whatever moves later. Tab follows the same order from
// the top down, and comes round to it again: Help, which lies under every
// square, then square 0 of each piece, the pieces in their order.
void frmPuzzle::buildControls()
{
    std::vector<HWND> stacking;
    for (const forms::Control* control : forms::kPuzzleControls) {
        const int id = controlId(*control);
        stacking.push_back(control->kind == forms::ControlKind::Label
                               ? makeLabel(window_, *control, id, dpi_)
                               : makeControl(window_, L"BUTTON", BS_PUSHBUTTON, *control, id, dpi_));
    }
    for (int i = kSquareCount - 1; i >= 0; --i) {
        const HWND square = makeCell(window_, colourOf(pieceColour(pieceOf(i))), twipsToPixels(kSquareTwips, dpi_),
                                     i == firstSquareOf(pieceOf(i)));
        cell_.at(static_cast<std::size_t>(i)) = square;
        stacking.push_back(square);
    }
    stackInOrder(stacking);
    layOut();
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
        const HWND made = control(*definition);
        place(made, definition->rect, dpi_);
        HFONT font = nullptr;
        if (inGroup(forms::kInstructionLabels, definition))
            font = instructionsFont_.get();
        else if (inGroup(forms::kCounterLabels, definition))
            font = counterFont_.get();
        else
            font = (fonts_[i] = makeFont(definition->font, dpi_)).get();
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    for (int i = 0; i < kSquareCount; ++i)
        frontEnd_->placeSquare(i, controller_.puzzle().cell(i));
}

void frmPuzzle::Show()
{
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

// Tab moves the focus as in a dialog; the window takes no other key of a
// dialog's, so arrows and letters reach the piece with the focus.
bool frmPuzzle::translateKeys(MSG& message)
{
    if (!window_)
        return false;
    if (message.hwnd == window_ || IsChild(window_, message.hwnd)) {
        const std::optional<KeyEvent> key = keyEvent(message);
        if (key && controller_.key(*key))
            return true;
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB)
            return IsDialogMessageW(window_, &message) != FALSE;
    }
    return helpPage_.isDialogMessage(message);
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
    if (const std::optional<PointerEvent> pointer = pointerEvent(message, wParam, lParam, dpi_)) {
        controller_.pointer(*pointer);
        return 0;
    }
    switch (message) {
    // Whoever took the mouse, the pointer is gone; after the window's own
    // release the controller holds it no more, and the cancel is nothing.
    case WM_CAPTURECHANGED:
        controller_.pointer(PointerEvent{.action = PointerAction::Cancel});
        return 0;
    case WM_COMMAND:
        if (lParam != 0) {
            const auto from = fromInteger<HWND>(lParam);
            const auto square = std::find(cell_.begin(), cell_.end(), from);
            if (from == control(forms::TOLMHelpControl1) && HIWORD(wParam) == BN_CLICKED)
                controller_.TOLMHelpControl1_Click();
            else if (square != cell_.end())
                controller_.pieceFocused(HIWORD(wParam) == kCellFocused
                                             ? std::optional(pieceOf(static_cast<int>(square - cell_.begin())))
                                             : std::nullopt);
            return 0;
        }
        if (LOWORD(wParam) == kNewCommand)
            controller_.mnuNew_Click();
        else if (LOWORD(wParam) == kExitCommand)
            controller_.mnuExit_Click();
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1)
            controller_.Timer1_Timer();
        return 0;
    case WM_CTLCOLORSTATIC: {
        const int index = GetDlgCtrlID(fromInteger<HWND>(lParam)) - kFirstControlId;
        if (index < 0 || index >= static_cast<int>(forms::kPuzzleControls.size()))
            break;
        return paintColours(fromInteger<HDC>(wParam), *forms::kPuzzleControls.at(static_cast<std::size_t>(index)));
    }
    case WM_PAINT:
        paintBoard();
        return 0;
    // As a dialog does, the window gives the focus back to the control that
    // had it when the player left, Help the first time.
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window_, focus))
                focus_ = focus;
        } else if (!HIWORD(wParam)) {
            SetFocus(focus_ ? focus_ : control(forms::TOLMHelpControl1));
        }
        return 0;
    // The client area is the board, and the controls and pieces lie on it.
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT)
            return namedObject(window_, wParam, lParam, wide(forms::kBoardName));
        if (static_cast<LONG>(lParam) == OBJID_MENU)
            return namedObject(window_, wParam, lParam, wide(forms::kMenuBarName));
        break;
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
