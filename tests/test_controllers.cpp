// The two windows' behaviour, decided once for every front end: a front end
// that only records what it is asked to do stands in for Qt and Win32. Runs
// in the Linux tree and, cross-built, under Wine.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/pieceplaces.h"
#include "game/positionfile.h"
#include "game/puzzlecontroller.h"
#include "game/splashcontroller.h"
#include "solve/boardreading.h"
#include "solve/tilings.h"

using namespace morvane;
using namespace std::chrono;

namespace {

struct RecordingPuzzle : PuzzleFrontEnd {
    std::map<int, SquarePosition> placed;  // where each square was last put
    std::vector<int> placedOrder;
    std::string counter;
    int beeps = 0;
    int ends = 0;
    std::vector<std::string> calls;  // captures, releases and choosers, in order
    std::string kept;                // the bytes the last save handed over
    std::vector<std::string> messages;
    std::vector<HelpPage> pages;
    std::vector<int> focusAsked;
    std::map<int, int> marks;  // each square's marked sides, where it has any
    std::map<int, std::string> names;
    std::vector<std::string> announced;

    void placeSquare(int index, SquarePosition at) override
    {
        placed[index] = at;
        placedOrder.push_back(index);
    }
    void showCounter(std::string_view text) override { counter = text; }
    void beep() override { ++beeps; }
    void capturePointer(int id) override { calls.push_back("capture " + std::to_string(id)); }
    void releasePointer(int id) override { calls.push_back("release " + std::to_string(id)); }
    void keepInChosenFile(std::string bytes) override
    {
        kept = std::move(bytes);
        calls.emplace_back("save");
    }
    void readChosenFile() override { calls.emplace_back("open"); }
    void focusPiece(int piece) override { focusAsked.push_back(piece); }
    void markSquare(int index, int edges) override
    {
        if (edges)
            marks[index] = edges;
        else
            marks.erase(index);
    }
    void namePiece(int piece, std::string_view name) override { names[piece] = name; }
    void announce(std::string_view text) override { announced.emplace_back(text); }
    void showHold(int index, bool shown) override { calls.push_back((shown ? "hold " : "unhold ") + std::to_string(index)); }
    void startHoldTimer(int id, int ms) override { calls.push_back("timer " + std::to_string(id) + " " + std::to_string(ms)); }
    void showHandles(bool shown, float left, float top, float right, float bottom) override
    {
        handles = shown ? std::optional(std::array{left, top, right, bottom}) : std::nullopt;
    }
    std::optional<std::array<float, 4>> handles;
    void reportMessage(std::string_view text) override { messages.emplace_back(text); }
    void showHelpPage(const HelpPage& page) override { pages.push_back(page); }
    void endProgram() override { ++ends; }
};

PointerEvent press(float x, float y, int button = button::Left, int buttons = button::Left, int shift = 0)
{
    return {.action = PointerAction::Press, .button = button, .buttons = buttons, .shift = shift, .x = x, .y = y};
}
PointerEvent move(float x, float y, int buttons = button::Left)
{
    return {.action = PointerAction::Move, .buttons = buttons, .x = x, .y = y};
}
PointerEvent release(float x, float y, int button = button::Left, int buttons = 0)
{
    return {.action = PointerAction::Release, .button = button, .buttons = buttons, .x = x, .y = y};
}

constexpr KeyEvent ctrl(char letter) { return {.key = key::letter(letter), .shift = modifier::Ctrl}; }

class GameWindow : public ::testing::Test {
protected:
    GameWindow() { game.Form_Load(); }

    void expectShownAsTheRulesSay() const
    {
        for (int i = 0; i < kSquareCount; ++i)
            EXPECT_EQ(front.placed.at(i), game.puzzle().cell(i)) << "square " << i;
        EXPECT_EQ(front.counter, game.puzzle().caption());
    }

    // A piece dragged off the window, another turned, and 42 seconds.
    void play()
    {
        game.cell_MouseDown(0, button::Left, 0, 10, 10);
        game.cell_MouseMove(0, button::Left, 0, -5000, -3000);
        game.cell_MouseUp(0, button::Left, 0, 0, 0);
        game.cell_MouseDown(26, button::Right, 0, 0, 0);
        for (int t = 0; t < 42; ++t)
            game.Timer1_Timer();
    }

    // The client point `x`, `y` twips into square `index` as it lies now.
    PointerEvent at(PointerEvent event, int index, float x, float y) const
    {
        event.x = game.puzzle().cell(index).left + x;
        event.y = game.puzzle().cell(index).top + y;
        return event;
    }

    void load(const Positions& cell, std::string_view caption = "0")
    {
        game.LoadGame();
        game.fileRead(FileOutcome::Done, writePositionFile(cell, caption));
    }

    RecordingPuzzle front;
    PuzzleController game{front};
};

TEST_F(GameWindow, LoadsAtTheStartAndFileNewGoesBackThere)
{
    EXPECT_EQ(game.puzzle().cell(), startingLayout(ShapeTable()));
    expectShownAsTheRulesSay();
    play();
    EXPECT_EQ(front.counter, "42");
    game.mnuNew_Click();
    EXPECT_EQ(game.puzzle().cell(), startingLayout(ShapeTable()));
    expectShownAsTheRulesSay();
}

TEST_F(GameWindow, AMovePlacesOnlyThatPiecesSquaresAndARefusedOneBeepsAndChangesNothing)
{
    front.placedOrder.clear();
    game.cell_MouseDown(17, button::Left, 0, 60, 60);
    game.cell_MouseMove(17, button::Left, 0, 210, -690);
    EXPECT_EQ(front.placedOrder, (std::vector{15, 16, 17, 18, 19}));
    game.cell_MouseUp(17, button::Left, 0, 75, 45);
    expectShownAsTheRulesSay();

    // 30 steps of 1200 twips put piece 0 past the lattice's reach.
    game.cell_MouseDown(0, button::Left, 0, 15, 15);
    for (int step = 0; step < 30; ++step)
        game.cell_MouseMove(0, button::Left, 0, 15, 1215);
    const Positions dragged = game.puzzle().cell();
    front.placedOrder.clear();
    game.cell_MouseUp(0, button::Left, 0, 15, 15);
    EXPECT_EQ(front.beeps, 1);
    EXPECT_TRUE(front.placedOrder.empty());
    EXPECT_EQ(game.puzzle().cell(), dragged);
}

// The pointer as the front ends report it: in client twips, with the square
// found here. A reference game given the square handlers' own arguments shows
// what each event must come to.
TEST_F(GameWindow, APressLandsOnTheTopmostSquareWhichKeepsThePointerUntilTheLastButtonIsUp)
{
    Puzzle reference;
    game.pointer(at(press(0, 0), 17, 60, 60));
    reference.cell_MouseDown(17, button::Left, 0, 60, 60);
    EXPECT_EQ(front.calls, std::vector<std::string>{"capture 0"});
    // Far outside the window, the square still hears the pointer, measured
    // from where it lies now.
    game.pointer(at(move(0, 0), 17, -9000, 12000));
    reference.cell_MouseMove(17, button::Left, 0, -9000, 12000);
    game.pointer(at(move(0, 0), 17, 100, 80));
    reference.cell_MouseMove(17, button::Left, 0, 100, 80);
    game.pointer(at(release(0, 0), 17, 100, 80));
    reference.cell_MouseUp(17, button::Left, 0, 100, 80);
    EXPECT_EQ(game.puzzle().cell(), reference.cell());
    EXPECT_EQ(front.calls, (std::vector<std::string>{"capture 0", "release 0"}));
    expectShownAsTheRulesSay();

    // A press on no square, and moves with no button held, reach nothing.
    game.pointer(press(-5000, -5000));
    game.pointer(move(3000, 3000, 0));
    game.pointer(release(-5000, -5000));
    EXPECT_EQ(game.puzzle().cell(), reference.cell());
    EXPECT_EQ(front.calls.size(), 2u);

    // Where squares lie on one another, the lower index is on top.
    Positions heap = reference.cell();
    heap[0] = heap[59] = heap[33] = {480, 4800};
    load(heap);
    front.placedOrder.clear();
    game.pointer(press(500, 4810));
    game.pointer(move(740, 4810));
    EXPECT_EQ(front.placedOrder, (std::vector{0, 1, 2, 3, 4}));
}

TEST_F(GameWindow, ASecondButtonDuringADragTurnsThePieceHoweverTheToolkitReportsIt)
{
    constexpr int both = button::Left | button::Right;
    // The browser reports the second button as a move naming it; the
    // desktops as a press and a release of their own.
    for (const bool asMoves : {true, false}) {
        game.mnuNew_Click();
        Puzzle reference;
        game.pointer(at(press(0, 0), 10, 30, 30));
        reference.cell_MouseDown(10, button::Left, 0, 30, 30);
        game.pointer(at(move(0, 0), 10, 500, 30));
        reference.cell_MouseMove(10, button::Left, 0, 500, 30);

        PointerEvent down = at(press(0, 0, button::Right, both, modifier::Shift), 10, 500, 30);
        PointerEvent up = at(release(0, 0, button::Right, button::Left), 10, 500, 30);
        if (asMoves)
            down.action = up.action = PointerAction::Move;
        game.pointer(down);
        reference.cell_MouseDown(10, button::Right, modifier::Shift, 500, 30);
        game.pointer(up);
        reference.cell_MouseUp(10, button::Right, 0, 500, 30);
        EXPECT_EQ(game.puzzle().cell(), reference.cell()) << "turned mid-drag, as moves: " << asMoves;

        // Still held by the left button, the drag goes on and settles.
        game.pointer(at(move(0, 0), 10, 700, 300));
        reference.cell_MouseMove(10, button::Left, 0, 700, 300);
        game.pointer(at(release(0, 0), 10, 700, 300));
        reference.cell_MouseUp(10, button::Left, 0, 700, 300);
        EXPECT_EQ(game.puzzle().cell(), reference.cell());
        EXPECT_EQ(front.calls.back(), "release 0");
    }
}

TEST_F(GameWindow, AnotherPointerWaitsAndACancelledOneLeavesThePieceWhereItWas)
{
    game.pointer(at(press(0, 0), 40, 10, 10));
    PointerEvent finger = at(press(0, 0), 5, 10, 10);
    finger.id = 7;
    finger.kind = PointerKind::Touch;
    const Positions before = game.puzzle().cell();
    game.pointer(finger);
    EXPECT_EQ(game.puzzle().cell(), before);

    game.pointer(at(move(0, 0), 40, 130, 10));
    const Positions dragged = game.puzzle().cell();
    EXPECT_NE(dragged, before);
    game.pointer({.action = PointerAction::Cancel});
    game.pointer(at(release(0, 0), 40, 130, 10));  // nothing holds it now: no snap
    EXPECT_EQ(game.puzzle().cell(), dragged);

    // The next press picks its square afresh.
    game.pointer(finger);
    finger.action = PointerAction::Release;
    finger.buttons = 0;
    game.pointer(finger);
    EXPECT_EQ(front.calls, (std::vector<std::string>{"capture 0", "capture 7", "hold 5", "timer 7 500", "unhold 5",
                                                     "release 7"}));
}

TEST_F(GameWindow, CtrlSAndCtrlOAreTheGamesKeysAndNoOthers)
{
    EXPECT_FALSE(game.key({.key = key::letter('S')}));
    EXPECT_FALSE(game.key({.key = key::letter('S'), .shift = modifier::Ctrl | modifier::Shift}));
    EXPECT_FALSE(game.key({.key = key::letter('S'), .shift = modifier::Ctrl, .pressed = false}));
    EXPECT_FALSE(game.key(ctrl('N')));
    EXPECT_TRUE(front.calls.empty());
    EXPECT_TRUE(game.key(ctrl('S')));
    game.fileKept(FileOutcome::Cancelled);
    EXPECT_TRUE(game.key(ctrl('O')));
    EXPECT_EQ(front.calls, (std::vector<std::string>{"save", "open"}));
}

TEST_F(GameWindow, HelpOpensItsTopicsPageEachTimeAndExitOrClosingEndsTheProgram)
{
    game.TOLMHelpControl1_Click();
    game.TOLMHelpControl1_Click();
    ASSERT_EQ(front.pages.size(), 2u);
    EXPECT_EQ(front.pages[0].title, "How to play");
    EXPECT_FALSE(front.pages[0].about.has_value());
    EXPECT_EQ(front.pages[0].rows.size(), kHelpRows.size());

    game.mnuExit_Click();
    game.Form_Unload();
    EXPECT_EQ(front.ends, 2);
}

TEST_F(GameWindow, SaveHandsOverThePositionAtTheKeyAndLoadPutsItBackButNotTheShapes)
{
    play();
    const Positions played = game.puzzle().cell();
    game.SaveGame();
    game.Timer1_Timer();  // the player takes a while in the chooser
    EXPECT_EQ(front.kept, writePositionFile(played, "42"));
    game.fileKept(FileOutcome::Done);

    // The shapes are not in the file: a piece turned before the load stays
    // turned after it.
    game.mnuNew_Click();
    game.cell_MouseDown(5, button::Right, 0, 0, 0);
    Puzzle reference;
    reference.cell_MouseDown(5, button::Right, 0, 0, 0);
    game.LoadGame();
    game.fileRead(FileOutcome::Done, front.kept);
    reference.setPosition(played, "42");
    EXPECT_EQ(game.puzzle().cell(), played);
    expectShownAsTheRulesSay();
    game.cell_MouseDown(5, button::Right, 0, 0, 0);
    reference.cell_MouseDown(5, button::Right, 0, 0, 0);
    EXPECT_EQ(game.puzzle().cell(), reference.cell());
    EXPECT_TRUE(front.messages.empty());
}

TEST_F(GameWindow, WhileAChooserIsOpenSaveAndLoadWaitAndFailuresSaySoAndChangeNothing)
{
    play();
    game.SaveGame();
    game.SaveGame();
    game.LoadGame();
    EXPECT_EQ(front.calls, std::vector<std::string>{"save"});
    game.fileKept(FileOutcome::Failed);
    game.LoadGame();
    game.SaveGame();
    game.fileRead(FileOutcome::Cancelled);
    EXPECT_EQ(front.calls, (std::vector<std::string>{"save", "open"}));

    const Positions played = game.puzzle().cell();
    game.LoadGame();
    game.fileRead(FileOutcome::Done, " 2400  400 \r\n");  // squares 1 and on are missing
    game.LoadGame();
    game.fileRead(FileOutcome::Failed);
    EXPECT_EQ(game.puzzle().cell(), played);
    EXPECT_EQ(front.counter, "42");
    EXPECT_EQ(front.messages, (std::vector<std::string>{std::string(forms::kSaveFailed),
                                                        std::string(forms::kLoadFailed),
                                                        std::string(forms::kLoadFailed)}));
}

// Keys on the piece with the focus, as a keyboard player presses them: what
// each stands for, and how a whole solution is laid with them.
class Keyboard : public GameWindow {
protected:
    bool type(int key, int shift = 0) { return game.key({.key = key, .shift = shift}); }

    // The fewest of R, V and H that give piece p the shape it has in `target`,
    // then arrows until its square 0 is where `target` has it. Returns the
    // keys pressed.
    int lay(int piece, const Positions& target)
    {
        game.pieceFocused(piece);
        const auto shapeIn = [piece](const Positions& cell) {
            std::array<std::pair<float, float>, kSquaresPerPiece> shape{};
            for (int k = 0; k < kSquaresPerPiece; ++k) {
                const SquarePosition s = cell[static_cast<std::size_t>(firstSquareOf(piece) + k)];
                const SquarePosition s0 = cell[static_cast<std::size_t>(firstSquareOf(piece))];
                shape[static_cast<std::size_t>(k)] = {s.left - s0.left, s.top - s0.top};
            }
            return shape;
        };
        int keys = 0;
        const std::vector<std::vector<int>> tries{{},  {'R'}, {'V'}, {'H'}, {'R', 'R'}, {'R', 'V'}, {'R', 'H'},
                                                  {'R', 'R', 'R'}};
        for (const std::vector<int>& sequence : tries) {
            RecordingPuzzle scratch;
            PuzzleController trial(scratch);
            trial.Form_Load();
            trial.fileRead(FileOutcome::Done, writePositionFile(game.puzzle().cell(), "0"));
            trial.pieceFocused(piece);
            for (const int k : sequence)
                trial.key({.key = key::letter(static_cast<char>(k))});
            if (shapeIn(trial.puzzle().cell()) == shapeIn(target)) {
                for (const int k : sequence)
                    keys += type(key::letter(static_cast<char>(k)));
                break;
            }
        }
        const SquarePosition goal = target[static_cast<std::size_t>(firstSquareOf(piece))];
        for (int step = 0; step < 60 && game.puzzle().cell(firstSquareOf(piece)) != goal; ++step) {
            const SquarePosition at = game.puzzle().cell(firstSquareOf(piece));
            keys += type(at.left < goal.left ? key::Right : at.left > goal.left ? key::Left
                          : at.top < goal.top ? key::Down : key::Up);
        }
        return keys;
    }
};

TEST_F(Keyboard, EachKeyIsTheMouseActionItStandsForOnTheFocusedPiecesSquareZero)
{
    EXPECT_FALSE(type(key::Right));  // no piece has the focus
    EXPECT_FALSE(type('R'));
    game.pieceFocused(3);
    EXPECT_FALSE(type(key::Right, modifier::Shift));
    EXPECT_FALSE(type('X'));

    Puzzle reference;
    const auto drag = [&](float dx, float dy) {
        reference.cell_MouseDown(15, button::Left, 0, 120, 120);
        reference.cell_MouseMove(15, button::Left, 0, 120 + dx, 120 + dy);
        reference.cell_MouseUp(15, button::Left, 0, 120, 120);
    };
    EXPECT_TRUE(type(key::Right));
    drag(240, 0);
    EXPECT_TRUE(type(key::Up));
    drag(0, -240);
    for (const auto& [letter, shift] : {std::pair{'R', 0}, {'V', modifier::Shift}, {'H', modifier::Ctrl}}) {
        EXPECT_TRUE(type(letter));
        reference.cell_MouseDown(15, button::Right, shift, 120, 120);
        EXPECT_EQ(game.puzzle().cell(), reference.cell()) << letter;
    }
    EXPECT_TRUE(type(key::Left));
    drag(-240, 0);
    EXPECT_TRUE(type(key::Down));
    drag(0, 240);
    EXPECT_EQ(game.puzzle().cell(), reference.cell());
    expectShownAsTheRulesSay();

    // During a mouse drag the keys wait; Ctrl+S does not.
    game.pointer(at(press(0, 0), 30, 10, 10));
    EXPECT_FALSE(type(key::Right));
    EXPECT_TRUE(game.key(ctrl('S')));
}

TEST_F(Keyboard, AStepWhollyOutOfTheWindowOnlyBeepsButAFarPieceWalksBack)
{
    game.pieceFocused(0);
    int steps = 0;
    while (front.beeps == 0 && steps < 100) {
        type(key::Right);
        ++steps;
    }
    EXPECT_EQ(front.beeps, 1);
    EXPECT_LT(steps, 40);
    const Positions edge = game.puzzle().cell();
    float leftmost = edge[0].left;
    for (int k = 1; k < kSquaresPerPiece; ++k)
        leftmost = std::min(leftmost, edge[static_cast<std::size_t>(k)].left);
    EXPECT_LT(leftmost, static_cast<float>(forms::clientSize(forms::frmPuzzle).width));  // still partly inside
    type(key::Right);
    EXPECT_EQ(game.puzzle().cell(), edge);
    EXPECT_EQ(front.beeps, 2);

    // Dragged far below the window, it comes back a square at a time.
    game.pointer(at(press(0, 0), 0, 10, 10));
    game.pointer(at(release(0, 0), 0, 10, 20000));
    const float far = game.puzzle().cell(0).top;
    EXPECT_TRUE(type(key::Up));
    EXPECT_EQ(game.puzzle().cell(0).top, far - 240);
    EXPECT_EQ(front.beeps, 2);
}

TEST_F(Keyboard, AWholeSolutionIsLaidByKeysAlone)
{
    BoardReading nothingPlaced;
    const Positions solved =
        completedPositions(game.puzzle().cell(), nothingPlaced, *firstCompletion(nothingPlaced));
    int keys = 0;
    for (int p = 0; p < kPieceCount; ++p)
        keys += 1 + lay(p, solved);  // Tab to the piece, then its keys
    EXPECT_EQ(game.puzzle().cell(), solved);
    EXPECT_TRUE(readBoard(game.puzzle().cell()).solved());
    EXPECT_LT(keys, 400);
    RecordProperty("KeysForAWholeSolution", keys);
    EXPECT_EQ(front.beeps, 0);
}

TEST_F(GameWindow, APressGivesItsPieceTheFocusWhichIsMarkedAlongThePiecesOutline)
{
    game.pointer(at(press(0, 0), 17, 10, 10));
    game.pointer(at(release(0, 0), 17, 10, 10));
    EXPECT_EQ(front.focusAsked, std::vector{3});
    EXPECT_TRUE(front.marks.empty());  // until the toolkit says the focus came
    game.pieceFocused(3);
    const std::array<int, kSquaresPerPiece> outline = outlineEdges(game.puzzle().cell(), 3);
    for (int k = 0; k < kSquaresPerPiece; ++k)
        EXPECT_EQ(front.marks.at(15 + k), outline[static_cast<std::size_t>(k)]);
    // The T: square 0 in the middle of the bar touches three others.
    EXPECT_EQ(outline[0], edge::Bottom);

    game.pointer(at(press(0, 0), 17, 10, 10));  // its own piece: asked once
    game.pointer(at(release(0, 0), 17, 10, 10));
    EXPECT_EQ(front.focusAsked, std::vector{3});
    game.pieceFocused(11);
    for (int i = 15; i < 20; ++i)
        EXPECT_FALSE(front.marks.contains(i));
    EXPECT_EQ(front.marks.size(), 5u);
    game.pieceFocused(std::nullopt);
    EXPECT_TRUE(front.marks.empty());
}

TEST_F(GameWindow, PiecesAreNamedByLetterAndPlaceAndASettledMoveIsToldOnce)
{
    ASSERT_EQ(front.names.size(), 12u);
    EXPECT_EQ(front.names.at(11), "F, off the board");
    EXPECT_EQ(front.names.at(1), "X, off the board");

    // Square 0 of the X to the board's second row, sixth column.
    const Positions start = game.puzzle().cell();
    Positions placed = start;
    for (int k = 0; k < kSquaresPerPiece; ++k) {
        const SquarePosition s = start[static_cast<std::size_t>(5 + k)];
        placed[static_cast<std::size_t>(5 + k)] = {kBoardLeft + 5 * 240 + s.left - start[5].left,
                                                   kBoardTop + 1 * 240 + s.top - start[5].top};
    }
    load(placed);
    EXPECT_EQ(front.names.at(1), "X, on the board at row 2, column 6");
    EXPECT_TRUE(front.announced.empty());

    game.pointer(at(press(0, 0), 5, 10, 10));
    game.pointer(at(move(0, 0), 5, 10, 200));
    game.pointer(at(move(0, 0), 5, 10, 500));
    EXPECT_TRUE(front.announced.empty());
    game.pointer(at(release(0, 0), 5, 10, 300));
    EXPECT_EQ(front.announced, std::vector<std::string>{"X, on the board at row 5, column 6"});
    EXPECT_EQ(front.names.at(1), front.announced.back());

    game.pointer(at(press(0, 0, button::Right, button::Right), 5, 10, 10));
    game.pointer(at(release(0, 0, button::Right), 5, 10, 10));
    EXPECT_EQ(front.announced.size(), 2u);
    game.pointer(at(press(0, 0), 5, 10, 10));  // a click settles it where it is
    game.pointer(at(release(0, 0), 5, 10, 10));
    EXPECT_EQ(front.announced.size(), 3u);
    EXPECT_EQ(front.announced[1], front.announced[2]);
}

// A finger, as the page reports it.
PointerEvent finger(PointerEvent event)
{
    event.id = 9;
    event.kind = PointerKind::Touch;
    return event;
}

TEST_F(GameWindow, AFingerDragsAsTheLeftButtonAndOneHeldStillTurnsThePieceWithoutASnap)
{
    Puzzle reference;
    game.pointer(finger(at(press(0, 0), 17, 30, 30)));
    reference.cell_MouseDown(17, button::Left, 0, 30, 30);
    EXPECT_EQ(front.calls, (std::vector<std::string>{"capture 9", "hold 17", "timer 9 500"}));
    game.pointer(finger(at(move(0, 0), 17, 30 + 100, 30 - 100)));  // a trembling finger moves nothing
    EXPECT_EQ(game.puzzle().cell(), reference.cell());
    game.holdElapsed(9);
    reference.cell_MouseDown(17, button::Right, 0, 30, 30);
    EXPECT_EQ(game.puzzle().cell(), reference.cell());
    EXPECT_EQ(front.calls.back(), "unhold 17");
    game.pointer(finger(at(move(0, 0), 17, 900, 900)));
    game.pointer(finger(at(release(0, 0), 17, 900, 900)));
    EXPECT_EQ(game.puzzle().cell(), reference.cell());  // no drag after the hold, and no snap
    EXPECT_EQ(front.calls.back(), "release 9");

    // A finger that goes further drags, and a hold that comes after it, or
    // for another finger, is no right press; a pause mid-drag changes nothing.
    game.pointer(finger(at(press(0, 0), 17, 30, 30)));
    reference.cell_MouseDown(17, button::Left, 0, 30, 30);
    game.pointer(finger(at(move(0, 0), 17, 500, 30)));
    reference.cell_MouseMove(17, button::Left, 0, 500, 30);
    game.holdElapsed(9);
    game.holdElapsed(4);
    game.pointer(finger(at(release(0, 0), 17, 40, 40)));
    reference.cell_MouseUp(17, button::Left, 0, 40, 40);
    EXPECT_EQ(game.puzzle().cell(), reference.cell());
    EXPECT_FALSE(front.handles);
}

TEST_F(GameWindow, ATapShowsHandlesThatTurnAndMirrorTheirPieceUntilAMouseOrAnotherTouch)
{
    Puzzle reference;
    game.pointer(finger(at(press(0, 0), 5, 100, 100)));
    game.pointer(finger(at(release(0, 0), 5, 110, 90)));
    reference.cell_MouseDown(5, button::Left, 0, 100, 100);
    reference.cell_MouseUp(5, button::Left, 0, 110, 90);  // a tap is a click: it snaps
    ASSERT_TRUE(front.handles);
    EXPECT_EQ(front.calls[1], "hold 5");
    for (const auto& [handle, shift] : {std::pair{0, 0}, {1, modifier::Shift}, {2, modifier::Ctrl}}) {
        game.handlePressed(handle);
        reference.cell_MouseDown(5, button::Right, shift, 120, 120);
        EXPECT_EQ(game.puzzle().cell(), reference.cell()) << handle;
    }
    // Beside the X wherever it is: its squares span three by three.
    float left = reference.cell(5).left;
    for (int k = 0; k < kSquaresPerPiece; ++k)
        left = std::min(left, reference.cell(5 + k).left);
    EXPECT_EQ((*front.handles)[0], left);
    EXPECT_EQ((*front.handles)[2] - (*front.handles)[0], 720.0f);

    game.pointer(finger(at(press(0, 0), 30, 10, 10)));  // another piece
    EXPECT_FALSE(front.handles);
    game.pointer(finger(at(release(0, 0), 30, 10, 10)));
    EXPECT_TRUE(front.handles);
    game.pointer(finger(press(-3000, -3000)));  // the board, or anywhere but a piece
    EXPECT_FALSE(front.handles);
    const Positions before = game.puzzle().cell();
    game.handlePressed(0);
    EXPECT_EQ(game.puzzle().cell(), before);

    game.pointer(finger(at(press(0, 0), 30, 10, 10)));
    game.pointer(finger(at(release(0, 0), 30, 10, 10)));
    game.pointer(move(-3000, -3000, 0));
    EXPECT_TRUE(front.handles);
    game.pointer(press(-3000, -3000));  // the mouse
    EXPECT_FALSE(front.handles);
}

struct RecordingSplash : SplashFrontEnd {
    year_month_day date{2005y / July / 1d};
    DateOrder order = DateOrder::MonthFirst;
    std::vector<forms::SplashLayout> layouts;
    std::vector<std::string> calls;  // everything else, in order
    std::vector<std::string> opened;

    year_month_day today() override { return date; }
    int ordersAsked = 0;
    DateOrder dateOrder() override
    {
        ++ordersAsked;
        return order;
    }
    void showLayout(const forms::SplashLayout& layout) override { layouts.push_back(layout); }
    void processPendingEvents() override { calls.emplace_back("pending"); }
    void openAddress(std::string_view url) override { opened.emplace_back(url); }
    void showGameWindow() override { calls.emplace_back("game"); }
    void closeSplash() override { calls.emplace_back("close"); }
    void endProgram() override { calls.emplace_back("end"); }
};

// A left press and release at a point in twips, as a front end reports them.
void click(SplashController& splash, float x, float y)
{
    splash.pointer(press(x, y));
    splash.pointer(release(x, y));
}

const std::string kMaker(forms::kMakerAddress);
const std::string kPartner(forms::kPartnerAddress);

TEST(Splash, OnTheSwitchDateOurBannerStandsWhereDefinedAndOnlyItOpensOurSite)
{
    RecordingSplash front;
    SplashController splash(front);
    splash.Form_Load();
    EXPECT_EQ(front.layouts, std::vector{forms::splashLayout(false)});
    EXPECT_EQ(front.layouts[0].picture1Left, 120.0f);
    EXPECT_TRUE(front.calls.empty());  // nothing pending to handle for the banner it was defined with

    click(splash, 3000, 200);  // where the hidden link would be
    click(splash, 200, 500);
    EXPECT_EQ(front.opened, std::vector{kMaker});
    EXPECT_TRUE(splash.opensAddressAt(200, 500));
    EXPECT_FALSE(splash.opensAddressAt(3000, 200));
}

TEST(Splash, AfterItThePartnerBannerIsCentredUnderItsLinkAndBothOpenThePartner)
{
    RecordingSplash front;
    front.date = 2005y / July / 2d;
    SplashController splash(front);
    splash.Form_Load();
    EXPECT_EQ(front.layouts.at(0).banner, forms::kPartnerBanner);
    EXPECT_EQ(front.layouts[0].picture1Left, 1890.0f);
    EXPECT_EQ(front.layouts[0].picture1Top, 480.0f);
    EXPECT_TRUE(front.layouts[0].label1Visible);
    EXPECT_EQ(front.calls, std::vector<std::string>{"pending"});

    click(splash, 3000, 200);
    click(splash, 3000, 1000);
    click(splash, 200, 500);  // beside the narrower banner
    EXPECT_EQ(front.opened, std::vector(2, kPartner));
}

TEST(Splash, TheSwitchDateIsReadInTheLocalesOrderWhichIsAskedOnlyWhenItDecides)
{
    int asked = 0;
    const auto partner = [&asked](year_month_day date, DateOrder order) {
        RecordingSplash front;
        front.date = date;
        front.order = order;
        SplashController splash(front);
        splash.Form_Load();
        asked += front.ordersAsked;
        return splash.layout().label1Visible;
    };
    EXPECT_TRUE(partner(2005y / January / 8d, DateOrder::DayFirst));
    EXPECT_FALSE(partner(2005y / January / 8d, DateOrder::MonthFirst));
    EXPECT_TRUE(partner(2005y / July / 1d, DateOrder::DayFirst));
    EXPECT_EQ(asked, 3);

    EXPECT_FALSE(partner(2005y / January / 7d, DateOrder::DayFirst));
    EXPECT_TRUE(partner(2005y / July / 2d, DateOrder::MonthFirst));
    EXPECT_TRUE(partner(2026y / December / 9d, DateOrder::DayFirst));
    EXPECT_EQ(asked, 3);
}

TEST(Splash, AClickIsALeftReleaseOverWhatThePressWentDownOnAndFollowsTheDateOfTheClick)
{
    RecordingSplash front;
    SplashController splash(front);
    splash.Form_Load();
    splash.Form_MouseDown(button::Left, 200, 500);  // a press alone opens nothing
    splash.Form_MouseUp(button::Left, 200, 2000);  // released off the banner
    splash.Form_MouseDown(button::Right, 200, 500);
    splash.Form_MouseUp(button::Right, 200, 500);
    splash.Form_MouseUp(button::Left, 200, 500);  // a release with no press before it
    splash.pointer(press(200, 500));
    splash.pointer({.action = PointerAction::Cancel});
    splash.pointer(release(200, 500));
    EXPECT_TRUE(front.opened.empty());

    // Left open past midnight: the layout stays, the click asks the date again.
    front.date = 2005y / July / 2d;
    click(splash, 200, 500);
    EXPECT_EQ(front.opened, std::vector{kPartner});
    EXPECT_FALSE(splash.layout().label1Visible);
}

TEST(Splash, ContinueShowsTheGameBeforeTheSplashGoesAndOnlyClosingOtherwiseEndsTheProgram)
{
    RecordingSplash front;
    SplashController splash(front);
    splash.Command1_Click();
    splash.Form_Unload();
    splash.Command1_Click();  // a second press queued behind the first
    EXPECT_EQ(front.calls, (std::vector<std::string>{"game", "close"}));

    // Enter, Space and Alt with the marked letter press it; nothing else does.
    for (const KeyEvent key : {KeyEvent{.key = key::Enter}, KeyEvent{.key = key::Space},
                               KeyEvent{.key = key::letter('C'), .shift = modifier::Alt}}) {
        RecordingSplash keyed;
        SplashController byKey(keyed);
        EXPECT_TRUE(byKey.key(key));
        EXPECT_EQ(keyed.calls, (std::vector<std::string>{"game", "close"})) << key.key;
    }
    RecordingSplash other;
    SplashController notByKey(other);
    EXPECT_FALSE(notByKey.key({.key = key::letter('C')}));
    EXPECT_FALSE(notByKey.key({.key = key::Enter, .shift = modifier::Ctrl}));
    EXPECT_FALSE(notByKey.key({.key = key::Escape}));
    EXPECT_TRUE(other.calls.empty());

    RecordingSplash closed;
    SplashController(closed).Form_Unload();
    EXPECT_EQ(closed.calls, std::vector<std::string>{"end"});
}

} // namespace
