#pragma once

// What the game window does, written once for every front end. The window's
// front end turns each of its toolkit's events into one call here, with the
// game's own arguments, and this decides everything that follows: it moves
// the pieces, counts the seconds, saves and loads positions, opens the help
// page and ends the program. It tells the front end what to show only
// through PuzzleFrontEnd.

#include <filesystem>
#include <string_view>

#include "game/helptopics.h"
#include "game/puzzle.h"

namespace morvane {

// What the game window asks of the desktop it runs on. Each is one call, or
// a few, into the toolkit; none decides anything.
class PuzzleFrontEnd {
public:
    // Square `index` now lies with its top-left corner at `at`, in twips.
    virtual void placeSquare(int index, SquarePosition at) = 0;
    virtual void showCounter(std::string_view text) = 0;
    virtual void beep() = 0;
    // The desktop's own modal open and save forms, text files offered
    // first: the chosen file, or an empty path when the player cancelled.
    virtual std::filesystem::path chooseFileToOpen() = 0;
    virtual std::filesystem::path chooseFileToSave() = 0;
    // A box owned by the game window, captioned with the program's title,
    // with one OK button.
    virtual void reportMessage(std::string_view text) = 0;
    // The help page beside the game, never modal: the player can keep it
    // open while playing. Shown again, the same page comes forward.
    virtual void showHelpPage(const HelpPage& page) = 0;
    // Leaves the program's event loop at once: nothing is asked or saved.
    virtual void endProgram() = 0;

protected:
    ~PuzzleFrontEnd() = default;
};

class PuzzleController {
public:
    explicit PuzzleController(PuzzleFrontEnd& frontEnd) : frontEnd_(frontEnd) {}

    // The load step, once, after the front end has made its controls and
    // before the window is first shown: every square to its starting place,
    // the counter to "0", and the help control's one property.
    void Form_Load();

    // A square's mouse events: `index` is the square receiving the event,
    // `x` and `y` the pointer in twips from that square's top-left corner.
    void cell_MouseDown(int index, int button, int shift, float x, float y);
    void cell_MouseMove(int index, int button, int shift, float x, float y);
    void cell_MouseUp(int index, int button, int shift, float x, float y);

    void Timer1_Timer();
    void mnuNew_Click();
    void mnuExit_Click();
    // Ctrl+S and Ctrl+O: no menu entry leads to them.
    void SaveGame();
    void LoadGame();
    void TOLMHelpControl1_Click();
    // The window was closed from its title bar. It is the program's last
    // window, so the program ends.
    void Form_Unload();

    const Puzzle& puzzle() const { return puzzle_; }
    const HelpControl& helpControl() const { return TOLMHelpControl1_; }

private:
    void NewGame();
    void showPiece(int piece);
    void showAll();
    void react(MoveOutcome outcome, int index);

    PuzzleFrontEnd& frontEnd_;
    Puzzle puzzle_;
    HelpControl TOLMHelpControl1_;
};

} // namespace morvane
