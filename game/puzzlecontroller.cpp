#include "game/puzzlecontroller.h"

#include "game/forms.h"
#include "game/positionfile.h"

namespace morvane {

void PuzzleController::Form_Load()
{
    NewGame();
    TOLMHelpControl1_.setDispatchProperty(forms::kHelpContextProperty, forms::kHelpContextAtLoad);
}

void PuzzleController::NewGame()
{
    puzzle_.NewGame();
    showAll();
}

void PuzzleController::showPiece(int piece)
{
    for (int i = firstSquareOf(piece); i < firstSquareOf(piece) + kSquaresPerPiece; ++i)
        frontEnd_.placeSquare(i, puzzle_.cell(i));
}

void PuzzleController::showAll()
{
    for (int p = 0; p < kPieceCount; ++p)
        showPiece(p);
    frontEnd_.showCounter(puzzle_.caption());
}

void PuzzleController::react(MoveOutcome outcome, int index)
{
    if (outcome == MoveOutcome::Moved)
        showPiece(pieceOf(index));
    else if (outcome == MoveOutcome::Refused)
        frontEnd_.beep();  // too far out for the game's numbers: the piece stays as it was
}

// The square drawn topmost at a point: each square lies above those after it.
std::optional<int> PuzzleController::squareAt(float x, float y) const
{
    const auto size = static_cast<float>(kSquareTwips);
    for (int i = 0; i < kSquareCount; ++i) {
        const SquarePosition at = puzzle_.cell(i);
        if (x >= at.left && x < at.left + size && y >= at.top && y < at.top + size)
            return i;
    }
    return std::nullopt;
}

// A press with no pointer captured picks the square; from then on that
// square hears every event of the pointer, measured from where it lies at
// that moment, until the last button is up. A second button pressed or
// released meanwhile is a press or a release of that square, whichever way
// the toolkit reported it. Another pointer, while one is captured, is not
// the game's.
void PuzzleController::pointer(const PointerEvent& event)
{
    if (event.action == PointerAction::Cancel) {
        if (capture_ && capture_->pointer == event.id)
            capture_.reset();
        return;
    }
    if (!capture_) {
        if (event.action != PointerAction::Press || event.button == 0)
            return;
        const std::optional<int> square = squareAt(event.x, event.y);
        if (!square)
            return;
        capture_ = Capture{.pointer = event.id, .square = *square, .buttons = 0};
        frontEnd_.capturePointer(event.id);
    } else if (capture_->pointer != event.id) {
        return;
    }

    const int index = capture_->square;
    const SquarePosition corner = puzzle_.cell(index);
    const float x = event.x - corner.left;
    const float y = event.y - corner.top;
    bool pressed = event.action == PointerAction::Press;
    bool released = event.action == PointerAction::Release;
    if (event.action == PointerAction::Move && event.button != 0) {
        pressed = (event.buttons & event.button) != 0;
        released = !pressed;
    }
    if (pressed) {
        capture_->buttons = event.buttons | event.button;
        cell_MouseDown(index, event.button, event.shift, x, y);
    } else if (released) {
        capture_->buttons = event.buttons & ~event.button;
        cell_MouseUp(index, event.button, event.shift, x, y);
    } else {
        capture_->buttons = event.buttons;
        cell_MouseMove(index, event.buttons, event.shift, x, y);
    }
    if (capture_->buttons == 0) {
        capture_.reset();
        frontEnd_.releasePointer(event.id);
    }
}

// Saving and loading a position answer the desktop's usual keys for save
// and open.
bool PuzzleController::key(const KeyEvent& event)
{
    constexpr int alone = modifier::Ctrl;
    if (!event.pressed || event.shift != alone)
        return false;
    if (event.key == key::letter('S'))
        SaveGame();
    else if (event.key == key::letter('O'))
        LoadGame();
    else
        return false;
    return true;
}

void PuzzleController::cell_MouseDown(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseDown(index, button, shift, x, y), index);
}

void PuzzleController::cell_MouseMove(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseMove(index, button, shift, x, y), index);
}

void PuzzleController::cell_MouseUp(int index, int button, int shift, float x, float y)
{
    react(puzzle_.cell_MouseUp(index, button, shift, x, y), index);
}

void PuzzleController::Timer1_Timer()
{
    puzzle_.Timer1_Timer();
    frontEnd_.showCounter(puzzle_.caption());
}

void PuzzleController::mnuNew_Click()
{
    NewGame();
}

void PuzzleController::mnuExit_Click()
{
    frontEnd_.endProgram();
}

// The position is taken as it stands at the key press, however long the
// player then spends in the chooser.
void PuzzleController::SaveGame()
{
    if (choosing_)
        return;
    choosing_ = true;
    frontEnd_.keepInChosenFile(writePositionFile(puzzle_.cell(), puzzle_.caption()));
}

void PuzzleController::fileKept(FileOutcome outcome)
{
    choosing_ = false;
    if (outcome == FileOutcome::Failed)
        frontEnd_.reportMessage(forms::kSaveFailed);
}

void PuzzleController::LoadGame()
{
    if (choosing_)
        return;
    choosing_ = true;
    frontEnd_.readChosenFile();
}

// Every value is read and checked before any square moves: a load applies a
// whole position or nothing.
void PuzzleController::fileRead(FileOutcome outcome, std::string_view bytes)
{
    choosing_ = false;
    if (outcome == FileOutcome::Cancelled)
        return;
    const std::optional<SavedPosition> position =
        outcome == FileOutcome::Done ? readPositionFile(bytes) : std::nullopt;
    if (!position) {
        frontEnd_.reportMessage(forms::kLoadFailed);
        return;
    }
    puzzle_.setPosition(position->cell, position->caption);
    showAll();
}

void PuzzleController::TOLMHelpControl1_Click()
{
    frontEnd_.showHelpPage(TOLMHelpControl1_.page());
}

void PuzzleController::Form_Unload()
{
    frontEnd_.endProgram();
}

} // namespace morvane
