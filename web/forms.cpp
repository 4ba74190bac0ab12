// The two windows' definitions, the board and the pieces' colours, handed to
// the page as one plain object, so the page builds its windows from the same
// data as the desktop's front ends and holds no number of its own. The rule
// that sets a group of labels smaller where the font would not fit is the
// game's too: the page only measures.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/forms.h"
#include "game/helptopics.h"
#include "game/puzzle.h"
#include "game/textfitting.h"

namespace morvane {

namespace {

using emscripten::val;

// Twips per CSS pixel: the page is laid out as the windows are at 96 DPI,
// and the browser's zoom and the screen's density scale it from there.
constexpr double kTwipsPerPixel = 15;

// The game window's groups of labels that share a font size.
using Group = std::span<const forms::Control* const>;
constexpr std::array<Group, 2> kFittingGroups{Group(forms::kInstructionLabels), Group(forms::kCounterLabels)};

std::string cssColour(Rgb colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

const char* kindName(forms::ControlKind kind)
{
    switch (kind) {
    case forms::ControlKind::Label:
        return "Label";
    case forms::ControlKind::PictureBox:
        return "PictureBox";
    case forms::ControlKind::Button:
        return "Button";
    case forms::ControlKind::HelpControl:
        return "HelpControl";
    }
    return "";
}

val controlObject(const forms::Control& control)
{
    val made = val::object();
    made.set("kind", std::string(kindName(control.kind)));
    made.set("left", control.rect.left);
    made.set("top", control.rect.top);
    made.set("width", control.rect.width);
    made.set("height", control.rect.height);
    made.set("text", std::string(control.text));
    made.set("face", std::string(control.font.face));
    made.set("points", control.font.points);
    made.set("bold", control.font.bold);
    made.set("underline", control.font.underline);
    made.set("centred", control.alignment == forms::Alignment::Centre);
    made.set("borderPixels", forms::borderPixels(control.border));
    made.set("sunken", control.border == forms::Border::Sunken);
    made.set("foreground", cssColour(control.foreground));
    made.set("background", cssColour(control.background));
    made.set("visible", control.visible);
    made.set("tabIndex", control.tabIndex);
    return made;
}

template <std::size_t N>
val controlList(const std::array<const forms::Control*, N>& controls)
{
    val list = val::array();
    for (const forms::Control* control : controls)
        list.call<void>("push", controlObject(*control));
    return list;
}

// Where a control stands in its window's list, or in a group, by index.
template <std::size_t N>
int indexIn(const std::array<const forms::Control*, N>& controls, const forms::Control& control)
{
    return static_cast<int>(std::find(controls.begin(), controls.end(), &control) - controls.begin());
}

// Each fitting group as the indices of its labels in the game window's list.
val fittingGroups()
{
    val groups = val::array();
    for (const Group group : kFittingGroups) {
        val list = val::array();
        for (const forms::Control* control : group)
            list.call<void>("push", indexIn(forms::kPuzzleControls, *control));
        groups.call<void>("push", list);
    }
    return groups;
}

val formObject(const forms::Form& form)
{
    const forms::TwipsSize client = forms::clientSize(form);
    val made = val::object();
    made.set("caption", std::string(form.caption));
    made.set("width", client.width);
    made.set("height", client.height);
    made.set("background", cssColour(form.background));
    // Ink and surface go together: the game's white is always written on in black.
    made.set("ink", cssColour(forms::kBlack));
    return made;
}

val puzzleWindow()
{
    val window = formObject(forms::frmPuzzle);
    window.set("controls", controlList(forms::kPuzzleControls));
    window.set("counter", indexIn(forms::kPuzzleControls, forms::lblTime));
    window.set("fittingGroups", fittingGroups());
    window.set("helpTooltip", std::string(helpTopicTitle(kHowToPlayTopic)));
    window.set("mnuFile", std::string(forms::mnuFile));
    window.set("mnuNew", std::string(forms::mnuNew));
    window.set("mnuExit", std::string(forms::mnuExit));
    window.set("timerIntervalMs", forms::kTimer1IntervalMs);

    window.set("squareTwips", kSquareTwips);
    val colours = val::array();
    for (int i = 0; i < kSquareCount; ++i)
        colours.call<void>("push", cssColour(pieceColour(pieceOf(i))));
    window.set("squareColours", colours);
    val lines = val::array();
    for (const Line& l : boardLines())
        lines.call<void>("push", val::array(std::vector<int>{l.x1, l.y1, l.x2, l.y2}));
    window.set("boardLines", lines);

    // The file a save suggests: a position, under the chooser's own pattern.
    const std::string extension(forms::kPositionFilePattern.substr(forms::kPositionFilePattern.find('.')));
    window.set("positionFileExtension", extension);
    window.set("positionFileName", "position" + extension);
    window.set("positionFileFilterName", std::string(forms::kPositionFileFilterName));
    window.set("saveFailed", std::string(forms::kSaveFailed));
    return window;
}

val splashWindow()
{
    val window = formObject(forms::frmSplash);
    window.set("controls", controlList(forms::kSplashControls));
    window.set("button", indexIn(forms::kSplashControls, forms::Command1));
    window.set("picture", indexIn(forms::kSplashControls, forms::Picture1));
    window.set("link", indexIn(forms::kSplashControls, forms::SplashLabel1));
    return window;
}

// The mouse buttons and modifier keys as the handlers number them.
val eventCodes()
{
    val buttons = val::object();
    buttons.set("left", button::Left);
    buttons.set("right", button::Right);
    buttons.set("middle", button::Middle);
    val modifiers = val::object();
    modifiers.set("shift", modifier::Shift);
    modifiers.set("ctrl", modifier::Ctrl);
    modifiers.set("alt", modifier::Alt);
    val codes = val::object();
    codes.set("buttons", buttons);
    codes.set("modifiers", modifiers);
    return codes;
}

val definitions()
{
    val made = val::object();
    made.set("twipsPerPixel", kTwipsPerPixel);
    made.set("codes", eventCodes());
    made.set("programTitle", std::string(forms::kProgramTitle));
    // A face the browser lacks falls back to the title's, as on the desktop.
    made.set("fallbackFace", std::string(forms::kTitleFont.face));
    made.set("puzzle", puzzleWindow());
    made.set("splash", splashWindow());
    return made;
}

// The size the labels of one of the fitting groups are set in, given the
// page's measure of a text in twips at a size in points.
double groupPointSize(std::size_t group, double desktopPoints, val measure)
{
    return fittingPointSize(kFittingGroups.at(group), desktopPoints, kTwipsPerPixel,
                            [&measure](std::string_view text, double points) {
                                const val ink = measure(std::string(text), points);
                                return TextExtent{ink["width"].as<double>(), ink["height"].as<double>()};
                            });
}

} // namespace

EMSCRIPTEN_BINDINGS(forms)
{
    emscripten::function("definitions", &definitions);
    emscripten::function("fittingPointSize", &groupPointSize);
}

} // namespace morvane
