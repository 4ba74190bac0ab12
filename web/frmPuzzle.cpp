// The game window's module: the rules and the window's controller, and the
// window's definition for the page, with the board, the pieces' colours and
// the rule that sets a group of labels smaller where the font would not
// fit. The page speaks to it through the bridge (web/bridge.h), as it speaks
// to the splash's.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "game/board.h"
#include "game/forms.h"
#include "game/helptopics.h"
#include "game/pieceplaces.h"
#include "game/positionfile.h"
#include "game/puzzlecontroller.h"
#include "game/textfitting.h"
#include "web/bridge.h"
#include "web/definitions.h"

PAGE_IMPORT(placeSquare) void pagePlaceSquare(int index, float left, float top);
PAGE_IMPORT(showCounter) void pageShowCounter(const char* text, int length);
PAGE_IMPORT(beep) void pageBeep();
PAGE_IMPORT(capturePointer) void pageCapturePointer(int id);
PAGE_IMPORT(releasePointer) void pageReleasePointer(int id);
PAGE_IMPORT(keepInChosenFile) void pageKeepInChosenFile(const char* bytes, int length);
PAGE_IMPORT(readChosenFile) void pageReadChosenFile();
PAGE_IMPORT(focusPiece) void pageFocusPiece(int piece);
PAGE_IMPORT(markSquare) void pageMarkSquare(int index, int edges);
PAGE_IMPORT(namePiece) void pageNamePiece(int piece, const char* name, int length);
PAGE_IMPORT(announce) void pageAnnounce(const char* text, int length);
PAGE_IMPORT(showHold) void pageShowHold(int index, bool shown);
PAGE_IMPORT(startHoldTimer) void pageStartHoldTimer(int pointerId, int milliseconds);
PAGE_IMPORT(showHandles) void pageShowHandles(bool shown, float left, float top, float right, float bottom);
PAGE_IMPORT(reportMessage) void pageReportMessage(const char* text, int length);
// The page as JSON: its title, its "about" line where it has one (a name and
// the rest), its introduction and its rows (each an action and a description).
PAGE_IMPORT(showHelpPage) void pageShowHelpPage(const char* json, int length);
PAGE_IMPORT(endProgram) void pageEndProgram();
// The extent of a text's ink in twips, set at a size in points in the font
// of the labels being fitted, written as two doubles: width, then height.
PAGE_IMPORT(measureText) void pageMeasureText(const char* text, int length, double points, double* extent);

namespace morvane::page {

namespace {

std::string helpPageText(const HelpPage& page)
{
    Json json;
    json.open().field("title", page.title);
    if (page.about)
        json.key("about").open().field("name", page.about->name).field("rest", page.about->rest).close();
    json.field("introduction", page.introduction);
    json.key("rows").openList();
    for (const HelpRow& row : page.rows)
        json.open().field("action", row.action).field("description", row.description).close();
    json.closeList().close();
    return json.text();
}

} // namespace

class frmPuzzle final : public Window {
    class FrontEnd final : public PuzzleFrontEnd {
        void placeSquare(int index, SquarePosition at) override { pagePlaceSquare(index, at.left, at.top); }
        void showCounter(std::string_view text) override { pageShowCounter(text.data(), lengthOf(text)); }
        void beep() override { pageBeep(); }
        void capturePointer(int id) override { pageCapturePointer(id); }
        void releasePointer(int id) override { pageReleasePointer(id); }
        void keepInChosenFile(std::string bytes) override { pageKeepInChosenFile(bytes.data(), lengthOf(bytes)); }
        void readChosenFile() override { pageReadChosenFile(); }
        void focusPiece(int piece) override { pageFocusPiece(piece); }
        void markSquare(int index, int edges) override { pageMarkSquare(index, edges); }
        void namePiece(int piece, std::string_view name) override { pageNamePiece(piece, name.data(), lengthOf(name)); }
        void announce(std::string_view text) override { pageAnnounce(text.data(), lengthOf(text)); }
        void showHold(int index, bool shown) override { pageShowHold(index, shown); }
        void startHoldTimer(int pointerId, int milliseconds) override { pageStartHoldTimer(pointerId, milliseconds); }
        void showHandles(bool shown, float left, float top, float right, float bottom) override
        {
            pageShowHandles(shown, left, top, right, bottom);
        }
        void reportMessage(std::string_view text) override { pageReportMessage(text.data(), lengthOf(text)); }
        void showHelpPage(const HelpPage& page) override
        {
            const std::string json = helpPageText(page);
            pageShowHelpPage(json.data(), lengthOf(json));
        }
        void endProgram() override { pageEndProgram(); }
    };

    FrontEnd frontEnd_;

public:
    PuzzleController controller{frontEnd_};
    // The bytes of the file the player chose, on their way in.
    std::string chosen;

    void pointer(const PointerEvent& event) override { controller.pointer(event); }
    bool key(const KeyEvent& event) override { return controller.key(event); }
};

// Once the page has made the window's controls.
Window* loadWindow()
{
    auto* window = new frmPuzzle;
    window->controller.Form_Load();
    return window;
}

namespace {

// The game window's groups of labels that share a font size.
using Group = std::span<const forms::Control* const>;
constexpr std::array<Group, 2> kFittingGroups{Group(forms::kInstructionLabels), Group(forms::kCounterLabels)};

void writePuzzle(Json& json)
{
    writeForm(json, forms::frmPuzzle, forms::kPuzzleControls);
    json.field("lblTime", forms::indexOf(forms::kPuzzleControls, forms::lblTime))
        .field("Label5", forms::indexOf(forms::kPuzzleControls, forms::Label5))
        .field("TOLMHelpControl1", forms::indexOf(forms::kPuzzleControls, forms::TOLMHelpControl1));
    // Each fitting group as the indices of its labels in the window's list.
    json.key("fittingGroups").openList();
    for (const Group group : kFittingGroups) {
        json.openList();
        for (const forms::Control* control : group)
            json.value(forms::indexOf(forms::kPuzzleControls, *control));
        json.closeList();
    }
    json.closeList();
    json.field("helpTooltip", helpTopicTitle(kHowToPlayTopic))
        .field("mnuFile", forms::mnuFile)
        .field("mnuNew", forms::mnuNew)
        .field("mnuExit", forms::mnuExit)
        .field("menuBarName", forms::kMenuBarName)
        .field("boardName", forms::kBoardName)
        .field("timerIntervalMs", forms::kTimer1IntervalMs);

    json.key("squareColours").openList();
    for (int i = 0; i < kSquareCount; ++i)
        json.value(colourOf(pieceColour(pieceOf(i))));
    json.closeList();
    // What assistive technology calls the handles a tap shows, in the order
    // handlePressed numbers them.
    json.key("handleNames").openList();
    for (const std::string_view name : forms::kHandleNames)
        json.value(name);
    json.closeList();
    // Each piece takes the keyboard focus at its square 0.
    json.key("pieceSquares").openList();
    for (int p = 0; p < kPieceCount; ++p)
        json.value(firstSquareOf(p));
    json.closeList();
    // The sides of a square the focus mark runs along.
    json.key("edges")
        .open()
        .field("left", edge::Left)
        .field("top", edge::Top)
        .field("right", edge::Right)
        .field("bottom", edge::Bottom)
        .close();
    json.key("boardLines").openList();
    for (const Line& l : boardLines())
        json.openList().value(l.x1).value(l.y1).value(l.x2).value(l.y2).closeList();
    json.closeList();

    // The file a save suggests: a position, under the chooser's own pattern;
    // a larger file than the game reads is refused before it is read.
    const std::string extension(forms::kPositionFilePattern.substr(forms::kPositionFilePattern.find('.')));
    json.field("positionFileExtension", extension)
        .field("positionFileName", "position" + extension)
        .field("positionFileFilterName", forms::kPositionFileFilterName)
        .field("positionFileLimit", static_cast<int>(kPositionFileLimit));
    json.key("outcomes")
        .open()
        .field("done", static_cast<int>(FileOutcome::Done))
        .field("cancelled", static_cast<int>(FileOutcome::Cancelled))
        .field("failed", static_cast<int>(FileOutcome::Failed))
        .close();
}

} // namespace

const std::string& definitionsText()
{
    static const std::string text = [] {
        Json json;
        json.open();
        writeCommon(json);
        json.key("puzzle").open();
        writePuzzle(json);
        json.close().close();
        return json.text();
    }();
    return text;
}

} // namespace morvane::page

using morvane::page::frmPuzzle;
using morvane::page::Window;
using morvane::page::lengthOf;

static frmPuzzle& puzzle(Window* window) { return static_cast<frmPuzzle&>(*window); }

// The size in points the labels of one of the fitting groups are set in,
// measured by the page.
PAGE_EXPORT(fittingPointSize) double fittingPointSize(int group, double desktopPoints)
{
    return morvane::fittingPointSize(morvane::page::kFittingGroups.at(static_cast<std::size_t>(group)),
                                     desktopPoints, morvane::forms::kTwipsPerPixel,
                                     [](std::string_view text, double points) {
                                         double extent[2] = {};
                                         pageMeasureText(text.data(), lengthOf(text), points, extent);
                                         return morvane::TextExtent{extent[0], extent[1]};
                                     });
}

PAGE_EXPORT(Timer1_Timer) void Timer1_Timer(Window* window) { puzzle(window).controller.Timer1_Timer(); }
PAGE_EXPORT(mnuNew_Click) void mnuNew_Click(Window* window) { puzzle(window).controller.mnuNew_Click(); }
PAGE_EXPORT(mnuExit_Click) void mnuExit_Click(Window* window) { puzzle(window).controller.mnuExit_Click(); }
PAGE_EXPORT(TOLMHelpControl1_Click) void TOLMHelpControl1_Click(Window* window)
{
    puzzle(window).controller.TOLMHelpControl1_Click();
}
// The piece whose square 0 took the keyboard focus, or -1 when the focus
// left the pieces.
PAGE_EXPORT(pieceFocused) void pieceFocused(Window* window, int piece)
{
    puzzle(window).controller.pieceFocused(piece < 0 ? std::nullopt : std::optional(piece));
}
PAGE_EXPORT(holdElapsed) void holdElapsed(Window* window, int pointerId)
{
    puzzle(window).controller.holdElapsed(pointerId);
}
PAGE_EXPORT(handlePressed) void handlePressed(Window* window, int handle)
{
    puzzle(window).controller.handlePressed(handle);
}
PAGE_EXPORT(fileKept) void fileKept(Window* window, int outcome)
{
    puzzle(window).controller.fileKept(static_cast<morvane::FileOutcome>(outcome));
}
// Room in the module's memory for the bytes of a chosen file, which the page
// fills before it calls fileRead.
PAGE_EXPORT(fileBuffer) char* fileBuffer(Window* window, int length)
{
    puzzle(window).chosen.assign(static_cast<std::size_t>(length), '\0');
    return puzzle(window).chosen.data();
}
PAGE_EXPORT(fileRead) void fileRead(Window* window, int outcome)
{
    puzzle(window).controller.fileRead(static_cast<morvane::FileOutcome>(outcome), puzzle(window).chosen);
    puzzle(window).chosen = {};
}
