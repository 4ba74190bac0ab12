#include "game/puzzlecontroller.h"

#include <optional>

#include "game/forms.h"
#include "game/positiondisk.h"

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

void PuzzleController::SaveGame()
{
    const std::filesystem::path name = frontEnd_.chooseFileToSave();
    if (name.empty())
        return;
    if (!savePositionFile(name, puzzle_.cell(), puzzle_.caption()))
        frontEnd_.reportMessage(forms::kSaveFailed);
}

// Every value is read and checked before any square moves: a load applies a
// whole position or nothing.
void PuzzleController::LoadGame()
{
    const std::filesystem::path name = frontEnd_.chooseFileToOpen();
    if (name.empty())
        return;
    const std::optional<SavedPosition> position = loadPositionFile(name);
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
