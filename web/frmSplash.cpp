// The splash window in the page, as frmPuzzle.cpp has the game window: the
// controller's handlers are this class's methods for the page's script, and
// what the controller asks goes back to the page's object.

#include <string>

#include "game/splashcontroller.h"
#include "web/pagewindow.h"

namespace morvane {

namespace {

using emscripten::val;

val layoutObject(const forms::SplashLayout& layout)
{
    val made = val::object();
    made.set("banner", std::string(layout.banner.resource));
    made.set("width", layout.banner.widthTwips());
    made.set("height", layout.banner.heightTwips());
    made.set("left", layout.picture1Left);
    made.set("top", layout.picture1Top);
    made.set("label1Visible", layout.label1Visible);
    return made;
}

class PageFrontEnd : public SplashFrontEnd, private page::Forwarder {
public:
    using Forwarder::Forwarder;

private:
    // The page gives the local date as three numbers and the locale's short
    // date as a pattern in the desktop's notation ("M/d/y", "d.M.y").
    std::chrono::year_month_day today() override
    {
        const val date = call<val>("today");
        return {std::chrono::year{date["year"].as<int>()}, std::chrono::month{date["month"].as<unsigned>()},
                std::chrono::day{date["day"].as<unsigned>()}};
    }
    DateOrder dateOrder() override { return dateOrderOf(call<std::string>("shortDatePattern")); }
    void showLayout(const forms::SplashLayout& layout) override { call("showLayout", layoutObject(layout)); }
    // A page cannot run its own event loop from inside a call: whatever is
    // pending is handled as soon as the load step returns.
    void processPendingEvents() override {}
    void openAddress(std::string_view url) override { call("openAddress", std::string(url)); }
    void showGameWindow() override { call("showGameWindow"); }
    void closeSplash() override { call("closeSplash"); }
    void endProgram() override { call("endProgram"); }
};

} // namespace

EMSCRIPTEN_BINDINGS(frmSplash)
{
    using C = SplashController;
    page::bindWindow<PageFrontEnd, C>(
        "frmSplash", page::Named{"Form_Load", &C::Form_Load}, page::Named{"Form_MouseDown", &C::Form_MouseDown},
        page::Named{"Form_MouseUp", &C::Form_MouseUp}, page::Named{"opensAddressAt", &C::opensAddressAt},
        page::Named{"Command1_Click", &C::Command1_Click});
}

} // namespace morvane
