#include "game/puzzlecontroller.h"

#include <algorithm>
#include <cmath>

#include "game/forms.h"
#include "game/pieceplaces.h"
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

// A piece's name and its mark follow it when it settles, not at each step of
// a drag: a drag keeps the mark's shape, and the name is told on settling.
void PuzzleController::settle(int piece)
{
    nameChanged(piece);
    if (focused_ == piece)
        markFocus(piece, true);
}

void PuzzleController::nameChanged(int piece)
{
    std::string& name = names_.at(static_cast<std::size_t>(piece));
    std::string now = pieceDescription(puzzle_.cell(), piece);
    if (now != name) {
        name = std::move(now);
        frontEnd_.namePiece(piece, name);
    }
}

void PuzzleController::markFocus(int piece, bool shown)
{
    const std::array<int, kSquaresPerPiece> edges = outlineEdges(puzzle_.cell(), piece);
    for (int k = 0; k < kSquaresPerPiece; ++k)
        frontEnd_.markSquare(firstSquareOf(piece) + k, shown ? edges[static_cast<std::size_t>(k)] : 0);
}

void PuzzleController::pieceFocused(std::optional<int> piece)
{
    if (piece == focused_)
        return;
    if (focused_)
        markFocus(*focused_, false);
    focused_ = piece;
    if (focused_)
        markFocus(*focused_, true);
}

void PuzzleController::showAll()
{
    showHandlesFor(std::nullopt);
    for (int p = 0; p < kPieceCount; ++p) {
        showPiece(p);
        settle(p);
    }
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
    const bool touch = event.kind == PointerKind::Touch;
    if (!touch && event.action == PointerAction::Press)
        showHandlesFor(std::nullopt);
    if (event.action == PointerAction::Cancel) {
        if (capture_ && capture_->pointer == event.id) {
            if (capture_->touch && !capture_->moved && !capture_->held)
                frontEnd_.showHold(capture_->square, false);
            capture_.reset();
        }
        return;
    }
    if (!capture_) {
        if (event.action != PointerAction::Press || event.button == 0)
            return;
        const std::optional<int> square = squareAt(event.x, event.y);
        if (touch && (!square || handlesFor_ != pieceOf(*square)))
            showHandlesFor(std::nullopt);
        if (!square)
            return;
        capture_ = Capture{.pointer = event.id, .square = *square, .touch = touch, .startX = event.x, .startY = event.y};
        frontEnd_.capturePointer(event.id);
        if (focused_ != pieceOf(*square))
            frontEnd_.focusPiece(pieceOf(*square));
        if (touch) {
            frontEnd_.showHold(*square, true);
            frontEnd_.startHoldTimer(event.id, forms::kHoldMs);
        }
    } else if (capture_->pointer != event.id) {
        return;
    }

    const int index = capture_->square;
    bool tap = false;
    if (capture_->touch && event.action != PointerAction::Press) {
        // After a hold the finger is done; before one, it has not moved until
        // it leaves the few twips a hold allows.
        if (capture_->held) {
            if (event.action == PointerAction::Release) {
                capture_.reset();
                frontEnd_.releasePointer(event.id);
            }
            return;
        }
        if (!capture_->moved) {
            const bool far = std::abs(event.x - capture_->startX) > forms::kHoldSlopTwips
                             || std::abs(event.y - capture_->startY) > forms::kHoldSlopTwips;
            if (event.action == PointerAction::Move && !far)
                return;
            capture_->moved = far;
            tap = !far;
            frontEnd_.showHold(index, false);
        }
    }

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
        if (tap)
            showHandlesFor(pieceOf(index));
    }
}

void PuzzleController::holdElapsed(int pointerId)
{
    if (!capture_ || capture_->pointer != pointerId || !capture_->touch || capture_->moved || capture_->held)
        return;
    capture_->held = true;
    const int index = capture_->square;
    frontEnd_.showHold(index, false);
    const SquarePosition corner = puzzle_.cell(index);
    cell_MouseDown(index, button::Right, 0, capture_->startX - corner.left, capture_->startY - corner.top);
}

void PuzzleController::handlePressed(int handle)
{
    constexpr std::array<int, 3> shifts{0, modifier::Shift, modifier::Ctrl};
    if (!handlesFor_ || handle < 0 || handle >= static_cast<int>(shifts.size()))
        return;
    const int piece = *handlesFor_;
    constexpr float middle = kSquareTwips / 2.0f;
    cell_MouseDown(firstSquareOf(piece), button::Right, shifts.at(static_cast<std::size_t>(handle)), middle, middle);
    showHandlesFor(piece);
}

void PuzzleController::showHandlesFor(std::optional<int> piece)
{
    if (!piece) {
        if (handlesFor_)
            frontEnd_.showHandles(false, 0, 0, 0, 0);
        handlesFor_.reset();
        return;
    }
    handlesFor_ = piece;
    const PieceBounds bounds = boundsOf(puzzle_.cell(), *piece);
    frontEnd_.showHandles(true, bounds.left, bounds.top, bounds.right, bounds.bottom);
}

// Saving and loading a position answer the desktop's usual keys for save
// and open.
bool PuzzleController::key(const KeyEvent& event)
{
    if (!event.pressed)
        return false;
    if (event.shift == modifier::Ctrl && event.key == key::letter('S'))
        SaveGame();
    else if (event.shift == modifier::Ctrl && event.key == key::letter('O'))
        LoadGame();
    else if (event.shift == 0 && focused_ && !capture_)
        return keyOnPiece(event.key);
    else
        return false;
    return true;
}

namespace {

// How far a piece lies outside the client area, in twips across and down:
// 0 where any of it is inside.
float distanceOutside(const Positions& cell, int piece)
{
    const forms::TwipsSize client = forms::clientSize(forms::frmPuzzle);
    const PieceBounds bounds = boundsOf(cell, piece);
    const auto gap = [](float low, float high, float size) {
        return high <= 0.0f ? -high : (low >= size ? low - size : 0.0f);
    };
    const float across = gap(bounds.left, bounds.right, static_cast<float>(client.width));
    const float down = gap(bounds.top, bounds.bottom, static_cast<float>(client.height));
    return across > 0.0f || down > 0.0f ? across + down + 1.0f : 0.0f;
}

} // namespace

// The pointer stands in the middle of square 0 for every key.
bool PuzzleController::keyOnPiece(int key)
{
    const int pivot = firstSquareOf(*focused_);
    constexpr float middle = kSquareTwips / 2.0f;
    constexpr auto step = static_cast<float>(kSquareTwips);
    float dx = 0.0f;
    float dy = 0.0f;
    switch (key) {
    case key::Left: dx = -step; break;
    case key::Right: dx = step; break;
    case key::Up: dy = -step; break;
    case key::Down: dy = step; break;
    default: {
        int shift = 0;
        if (key == key::letter('V'))
            shift = modifier::Shift;
        else if (key == key::letter('H'))
            shift = modifier::Ctrl;
        else if (key != key::letter('R'))
            return false;
        cell_MouseDown(pivot, button::Right, shift, middle, middle);
        cell_MouseUp(pivot, button::Right, shift, middle, middle);
        return true;
    }
    }
    // A step that leaves the piece wholly outside the window, and no nearer
    // it than before, is refused; one that brings an outside piece nearer is
    // not, so a piece dragged far off can be walked back.
    Puzzle trial = puzzle_;
    trial.cell_MouseDown(pivot, button::Left, 0, middle, middle);
    trial.cell_MouseMove(pivot, button::Left, 0, middle + dx, middle + dy);
    trial.cell_MouseUp(pivot, button::Left, 0, middle, middle);
    const float after = distanceOutside(trial.cell(), *focused_);
    if (after > 0.0f && after >= distanceOutside(puzzle_.cell(), *focused_)) {
        frontEnd_.beep();
        return true;
    }
    cell_MouseDown(pivot, button::Left, 0, middle, middle);
    cell_MouseMove(pivot, button::Left, 0, middle + dx, middle + dy);
    cell_MouseUp(pivot, button::Left, 0, middle, middle);
    return true;
}

// A piece settles when a right press turns or mirrors it, and when the left
// button comes up after a drag; its new place is then told once.
void PuzzleController::cell_MouseDown(int index, int button, int shift, float x, float y)
{
    if (button == button::Left)
        dragged_ = false;
    const MoveOutcome outcome = puzzle_.cell_MouseDown(index, button, shift, x, y);
    react(outcome, index);
    if (outcome == MoveOutcome::Moved && button == button::Right) {
        settle(pieceOf(index));
        frontEnd_.announce(names_.at(static_cast<std::size_t>(pieceOf(index))));
    }
}

void PuzzleController::cell_MouseMove(int index, int button, int shift, float x, float y)
{
    const MoveOutcome outcome = puzzle_.cell_MouseMove(index, button, shift, x, y);
    react(outcome, index);
    dragged_ = dragged_ || outcome == MoveOutcome::Moved;
}

void PuzzleController::cell_MouseUp(int index, int button, int shift, float x, float y)
{
    const MoveOutcome outcome = puzzle_.cell_MouseUp(index, button, shift, x, y);
    react(outcome, index);
    if (button == button::Left)
        settle(pieceOf(index));
    if (button == button::Left && outcome != MoveOutcome::Refused && (dragged_ || outcome == MoveOutcome::Moved))
        frontEnd_.announce(names_.at(static_cast<std::size_t>(pieceOf(index))));
    if (button == button::Left)
        dragged_ = false;
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
