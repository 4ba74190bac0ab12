// The game window in the page. The page's script draws it and turns each of
// its events into one call of the controller, which JavaScript sees as this
// class's methods; what the controller asks of the window goes back to the
// page's object, one call each, under the front end's own names.

#include <string>

#include "game/puzzlecontroller.h"
#include "web/pagewindow.h"

namespace morvane {

namespace {

using emscripten::val;

val helpPageObject(const HelpPage& page)
{
    val rows = val::array();
    for (const HelpRow& row : page.rows) {
        val entry = val::object();
        entry.set("action", std::string(row.action));
        entry.set("description", std::string(row.description));
        rows.call<void>("push", entry);
    }
    val about = val::null();
    if (page.about) {
        about = val::object();
        about.set("name", std::string(page.about->name));
        about.set("rest", page.about->rest);
    }
    val made = val::object();
    made.set("title", std::string(page.title));
    made.set("about", about);
    made.set("introduction", std::string(page.introduction));
    made.set("rows", rows);
    return made;
}

// The page's side of PuzzleFrontEnd. A chooser answers with a path in the
// module's own file system, where the controller's disk layer reads and
// writes; the page moves the bytes between there and the player's files.
class PageFrontEnd : public PuzzleFrontEnd, private page::Forwarder {
public:
    using Forwarder::Forwarder;

private:
    void placeSquare(int index, SquarePosition at) override { call("placeSquare", index, at.left, at.top); }
    void showCounter(std::string_view text) override { call("showCounter", std::string(text)); }
    void beep() override { call("beep"); }
    std::filesystem::path chooseFileToOpen() override { return call<std::string>("chooseFileToOpen"); }
    std::filesystem::path chooseFileToSave() override { return call<std::string>("chooseFileToSave"); }
    void reportMessage(std::string_view text) override { call("reportMessage", std::string(text)); }
    void showHelpPage(const HelpPage& page) override { call("showHelpPage", helpPageObject(page)); }
    void endProgram() override { call("endProgram"); }
};

} // namespace

EMSCRIPTEN_BINDINGS(frmPuzzle)
{
    using C = PuzzleController;
    page::bindWindow<PageFrontEnd, C>(
        "frmPuzzle", page::Named{"Form_Load", &C::Form_Load}, page::Named{"cell_MouseDown", &C::cell_MouseDown},
        page::Named{"cell_MouseMove", &C::cell_MouseMove}, page::Named{"cell_MouseUp", &C::cell_MouseUp},
        page::Named{"Timer1_Timer", &C::Timer1_Timer}, page::Named{"mnuNew_Click", &C::mnuNew_Click},
        page::Named{"mnuExit_Click", &C::mnuExit_Click}, page::Named{"SaveGame", &C::SaveGame},
        page::Named{"LoadGame", &C::LoadGame}, page::Named{"TOLMHelpControl1_Click", &C::TOLMHelpControl1_Click});
}

} // namespace morvane
