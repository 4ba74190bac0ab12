// The splash's own module: the splash controller alone, with plain exports
// and imports instead of embind, so that it is small, compiles at once and
// starts with no runtime to set up; the page shows the splash from it while
// the game's module is still on its way. Its handlers are the exports; what
// the controller asks of the window it asks through the page's imports.

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>

#include "game/splashcontroller.h"
#include "web/definitions.h"

#define PAGE_IMPORT(name) extern "C" __attribute__((import_module("page"), import_name(#name)))

PAGE_IMPORT(today) void pageToday(int* yearMonthDay);
// Writes the locale's short date pattern (see desktop.js) into the buffer
// and returns its length, which may be more than fits.
PAGE_IMPORT(shortDatePattern) int pageShortDatePattern(char* buffer, int capacity);
PAGE_IMPORT(showLayout)
void pageShowLayout(const char* banner, int length, int width, int height, float left, float top, bool label1Visible);
PAGE_IMPORT(openAddress) void pageOpenAddress(const char* url, int length);
PAGE_IMPORT(showGameWindow) void pageShowGameWindow();
PAGE_IMPORT(closeSplash) void pageCloseSplash();
PAGE_IMPORT(endProgram) void pageEndProgram();

namespace morvane {

namespace {

class PageFrontEnd final : public SplashFrontEnd {
    std::chrono::year_month_day today() override
    {
        int date[3] = {};
        pageToday(date);
        return {std::chrono::year{date[0]}, std::chrono::month{static_cast<unsigned>(date[1])},
                std::chrono::day{static_cast<unsigned>(date[2])}};
    }
    DateOrder dateOrder() override
    {
        char pattern[64];
        const int length = pageShortDatePattern(pattern, sizeof pattern);
        return dateOrderOf(std::string_view(pattern, std::min<std::size_t>(length, sizeof pattern)));
    }
    void showLayout(const forms::SplashLayout& layout) override
    {
        const std::string_view banner = layout.banner.resource;
        pageShowLayout(banner.data(), static_cast<int>(banner.size()), layout.banner.widthTwips(),
                       layout.banner.heightTwips(), layout.picture1Left, layout.picture1Top, layout.label1Visible);
    }
    // A page cannot run its own event loop from inside a call: whatever is
    // pending is handled as soon as the load step returns.
    void processPendingEvents() override {}
    void openAddress(std::string_view url) override { pageOpenAddress(url.data(), static_cast<int>(url.size())); }
    void showGameWindow() override { pageShowGameWindow(); }
    void closeSplash() override { pageCloseSplash(); }
    void endProgram() override { pageEndProgram(); }
};

PageFrontEnd frontEnd;
SplashController controller(frontEnd);

// The splash's definition and what the page shares between its windows.
std::string definitionsText()
{
    page::Json json;
    json.open();
    page::writeCommon(json);
    json.key("splash").open();
    page::writeForm(json, forms::frmSplash, forms::kSplashControls);
    json.field("button", forms::indexOf(forms::kSplashControls, forms::Command1))
        .field("picture", forms::indexOf(forms::kSplashControls, forms::Picture1))
        .field("link", forms::indexOf(forms::kSplashControls, forms::SplashLabel1));
    json.close().close();
    return json.text();
}

const std::string definitions = definitionsText();

} // namespace

} // namespace morvane

using morvane::controller;

#define PAGE_EXPORT(name) extern "C" __attribute__((used, export_name(#name)))

// The definitions as UTF-8 JSON: where they start, and how long they are.
PAGE_EXPORT(definitions) const char* definitions() { return morvane::definitions.data(); }
PAGE_EXPORT(definitionsLength) int definitionsLength() { return static_cast<int>(morvane::definitions.size()); }

PAGE_EXPORT(Form_Load) void Form_Load() { controller.Form_Load(); }
PAGE_EXPORT(Form_MouseDown) void Form_MouseDown(int button, float x, float y) { controller.Form_MouseDown(button, x, y); }
PAGE_EXPORT(Form_MouseUp) void Form_MouseUp(int button, float x, float y) { controller.Form_MouseUp(button, x, y); }
PAGE_EXPORT(opensAddressAt) bool opensAddressAt(float x, float y) { return controller.opensAddressAt(x, y); }
PAGE_EXPORT(Command1_Click) void Command1_Click() { controller.Command1_Click(); }
