// The splash's own module: the splash controller alone, with no runtime of
// emscripten's, so that it is small, compiles at once and starts with
// nothing to set up; the page shows the splash from it while the game's
// module is still on its way. The page speaks to it through the bridge
// (web/bridge.h), as it speaks to the game's.

#include <chrono>
#include <string>
#include <string_view>

#include "game/splashcontroller.h"
#include "web/bridge.h"
#include "web/definitions.h"

PAGE_IMPORT(today) void pageToday(int* yearMonthDay);
// The DateOrder of the player's locale, as a number.
PAGE_IMPORT(dateOrder) int pageDateOrder();
// The banner's file and what it says, for whoever cannot see it.
PAGE_IMPORT(showLayout)
void pageShowLayout(const char* banner, int length, const char* text, int textLength, int width, int height, float left,
                    float top, bool label1Visible);
PAGE_IMPORT(openAddress) void pageOpenAddress(const char* url, int length);
PAGE_IMPORT(showGameWindow) void pageShowGameWindow();
PAGE_IMPORT(closeSplash) void pageCloseSplash();
PAGE_IMPORT(endProgram) void pageEndProgram();

namespace morvane::page {

class frmSplash final : public Window {
    class FrontEnd final : public SplashFrontEnd {
        std::chrono::year_month_day today() override
        {
            int date[3] = {};
            pageToday(date);
            return {std::chrono::year{date[0]}, std::chrono::month{static_cast<unsigned>(date[1])},
                    std::chrono::day{static_cast<unsigned>(date[2])}};
        }
        DateOrder dateOrder() override
        {
            return pageDateOrder() == static_cast<int>(DateOrder::DayFirst) ? DateOrder::DayFirst
                                                                            : DateOrder::MonthFirst;
        }
        // The site carries each banner as PNG, under the bitmap's name.
        void showLayout(const forms::SplashLayout& layout) override
        {
            const std::string_view bitmap = layout.banner.resource;
            const std::string banner = std::string(bitmap.substr(0, bitmap.rfind('.'))) + ".png";
            pageShowLayout(banner.data(), lengthOf(banner), layout.banner.text.data(), lengthOf(layout.banner.text),
                           layout.banner.widthTwips(), layout.banner.heightTwips(), layout.picture1Left,
                           layout.picture1Top, layout.label1Visible);
        }
        // A page cannot run its own event loop from inside a call: whatever is
        // pending is handled as soon as the load step returns.
        void processPendingEvents() override {}
        void openAddress(std::string_view url) override { pageOpenAddress(url.data(), lengthOf(url)); }
        void showGameWindow() override { pageShowGameWindow(); }
        void closeSplash() override { pageCloseSplash(); }
        void endProgram() override { pageEndProgram(); }
    };

    FrontEnd frontEnd_;

public:
    SplashController controller{frontEnd_};

    void pointer(const PointerEvent& event) override { controller.pointer(event); }
    bool key(const KeyEvent& event) override { return controller.key(event); }
};

Window* loadWindow()
{
    auto* window = new frmSplash;
    window->controller.Form_Load();
    return window;
}

// The splash's definition and what the page shares between its windows.
const std::string& definitionsText()
{
    static const std::string text = [] {
        Json json;
        json.open();
        writeCommon(json);
        json.key("dateOrders")
            .open()
            .field("monthFirst", static_cast<int>(DateOrder::MonthFirst))
            .field("dayFirst", static_cast<int>(DateOrder::DayFirst))
            .close();
        json.key("splash").open();
        writeForm(json, forms::frmSplash, forms::kSplashControls);
        json.field("Command1", forms::indexOf(forms::kSplashControls, forms::Command1))
            .field("Picture1", forms::indexOf(forms::kSplashControls, forms::Picture1))
            .field("Label1", forms::indexOf(forms::kSplashControls, forms::SplashLabel1));
        json.close().close();
        return json.text();
    }();
    return text;
}

} // namespace morvane::page

using morvane::page::frmSplash;
using morvane::page::Window;

static frmSplash& splash(Window* window) { return static_cast<frmSplash&>(*window); }

PAGE_EXPORT(opensAddressAt) bool opensAddressAt(Window* window, float x, float y)
{
    return splash(window).controller.opensAddressAt(x, y);
}
PAGE_EXPORT(Command1_Click) void Command1_Click(Window* window)
{
    splash(window).controller.Command1_Click();
}
