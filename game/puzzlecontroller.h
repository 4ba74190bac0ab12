#pragma once

// What the game window does, written once for every front end. The window's
// front end reports each of its toolkit's events here, in the game's own
// terms, and this decides everything that follows: which square a pointer is
// on and how long it keeps it, what a key does, how the pieces move, the
// seconds, saving and loading, the help page and the end of the program. It
// tells the front end what to do only through PuzzleFrontEnd.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "game/helptopics.h"
#include "game/input.h"
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
    // The pointer `id` keeps coming to the client area, wherever it goes,
    // until it is released; toolkits that do this by themselves do nothing.
    virtual void capturePointer(int id) = 0;
    virtual void releasePointer(int id) = 0;
    // The desktop's own open and save forms, text files offered first. The
    // chosen file takes `bytes` whole, replacing what it held, and the answer
    // is PuzzleController::fileKept; or its bytes are read, and the answer is
    // PuzzleController::fileRead. Either answer may come during the call or
    // any time after it.
    virtual void keepInChosenFile(std::string bytes) = 0;
    virtual void readChosenFile() = 0;
    // The keyboard focus goes to `piece`: its square 0 is the piece's place
    // in the focus order, and the toolkit answers with pieceFocused.
    virtual void focusPiece(int piece) = 0;
    // The focus mark runs along these sides of square `index` (edge::Left,
    // ...), in colours that show against any piece and any background; 0
    // takes it away.
    virtual void markSquare(int index, int edges) = 0;
    // What assistive technology calls the piece: its letter and its place.
    virtual void namePiece(int piece, std::string_view name) = 0;
    // Said by a screen reader when it has finished what it is saying.
    virtual void announce(std::string_view text) = 0;
    // Touch only; a front end that reports every pointer as a mouse is never
    // asked. A mark on square `index` while a finger's hold is counting.
    virtual void showHold(int index, bool shown) = 0;
    // PuzzleController::holdElapsed(pointerId) once `milliseconds` have
    // passed; one that comes too late is ignored.
    virtual void startHoldTimer(int pointerId, int milliseconds) = 0;
    // The three handles (forms::kHandleNames) beside the piece whose squares
    // span this rectangle of the client area, in twips; or none.
    virtual void showHandles(bool shown, float left, float top, float right, float bottom) = 0;
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

    // A pointer on the client area. A press lands on the topmost square
    // under it, which then takes every event of that pointer, wherever it
    // goes, until its last button is up.
    void pointer(const PointerEvent& event);
    // A key pressed or released anywhere in the window: true when it was the
    // game's, and the toolkit should do nothing more with it. Ctrl+S and
    // Ctrl+O save and load; on the piece with the focus, each key is the
    // mouse action it stands for on the piece's square 0: an arrow a left
    // drag of one square that way, R a right press, V one with Shift, H one
    // with Ctrl.
    bool key(const KeyEvent& event);
    // The toolkit's focus came to a piece, or left the pieces.
    void pieceFocused(std::optional<int> piece);

    // A finger is a left button, but one held still on a piece for
    // forms::kHoldMs is a right press there, after which lifting it does
    // nothing more; a tap (a left click) also shows the handles beside the
    // piece, which go when another piece or the board is touched, or a mouse
    // is used.
    void holdElapsed(int pointerId);
    // A handle pressed: 0 turns the piece, 1 mirrors it top to bottom, 2 left
    // to right, as a right press alone, with Shift or with Ctrl does.
    void handlePressed(int handle);

    // A square's mouse events: `index` is the square receiving the event,
    // `x` and `y` the pointer in twips from that square's top-left corner.
    void cell_MouseDown(int index, int button, int shift, float x, float y);
    void cell_MouseMove(int index, int button, int shift, float x, float y);
    void cell_MouseUp(int index, int button, int shift, float x, float y);

    void Timer1_Timer();
    void mnuNew_Click();
    void mnuExit_Click();
    // Ctrl+S and Ctrl+O: no menu entry leads to them. While a chooser that
    // either opened is still open, both do nothing.
    void SaveGame();
    void LoadGame();
    // The front end's answers to keepInChosenFile and readChosenFile; `bytes`
    // are the file's when it was read.
    void fileKept(FileOutcome outcome);
    void fileRead(FileOutcome outcome, std::string_view bytes = {});
    void TOLMHelpControl1_Click();
    // The window was closed from its title bar. It is the program's last
    // window, so the program ends.
    void Form_Unload();

    const Puzzle& puzzle() const { return puzzle_; }

private:
    void NewGame();
    void showPiece(int piece);
    void settle(int piece);
    void showAll();
    void react(MoveOutcome outcome, int index);
    std::optional<int> squareAt(float x, float y) const;
    bool keyOnPiece(int key);
    void showHandlesFor(std::optional<int> piece);
    void nameChanged(int piece);
    void markFocus(int piece, bool shown);

    PuzzleFrontEnd& frontEnd_;
    Puzzle puzzle_;
    HelpControl TOLMHelpControl1_;

    // The pointer a square holds from its press until its last button is up.
    struct Capture {
        int pointer = 0;
        int square = 0;
        int buttons = 0;
        bool touch = false;
        float startX = 0.0f;  // where a finger touched, in client twips
        float startY = 0.0f;
        bool moved = false;  // a finger has gone further than a hold allows
        bool held = false;   // a finger's hold has become a right press
    };
    std::optional<Capture> capture_;
    bool choosing_ = false;  // a file chooser is open
    std::optional<int> focused_;  // the piece with the keyboard focus
    bool dragged_ = false;        // the piece under the left button has moved since its press
    std::array<std::string, kPieceCount> names_;
    std::optional<int> handlesFor_;  // the piece the touch handles stand beside
};

} // namespace morvane
