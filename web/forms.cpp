// The game window's definition, the board and the pieces' colours, handed to
// the page as JSON text (see definitions.h), so the page builds the window
// from the same data as the desktop's front ends and holds no number of its
// own. The rule that sets a group of labels smaller where the font would not
// fit is the game's too: the page only measures.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <array>
#include <span>
#include <string>

#include "game/board.h"
#include "game/forms.h"
#include "game/helptopics.h"
#include "game/puzzle.h"
#include "game/textfitting.h"
#include "web/definitions.h"

namespace morvane {

namespace {

using emscripten::val;

// The game window's groups of labels that share a font size.
using Group = std::span<const forms::Control* const>;
constexpr std::array<Group, 2> kFittingGroups{Group(forms::kInstructionLabels), Group(forms::kCounterLabels)};

void writePuzzle(page::Json& json)
{
    page::writeForm(json, forms::frmPuzzle, forms::kPuzzleControls);
    json.field("counter", forms::indexOf(forms::kPuzzleControls, forms::lblTime));
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
        .field("timerIntervalMs", forms::kTimer1IntervalMs);

    json.field("squareTwips", kSquareTwips);
    json.key("squareColours").openList();
    for (int i = 0; i < kSquareCount; ++i)
        json.value(page::cssColour(pieceColour(pieceOf(i))));
    json.closeList();
    json.key("boardLines").openList();
    for (const Line& l : boardLines())
        json.openList().value(l.x1).value(l.y1).value(l.x2).value(l.y2).closeList();
    json.closeList();

    // The file a save suggests: a position, under the chooser's own pattern.
    const std::string extension(forms::kPositionFilePattern.substr(forms::kPositionFilePattern.find('.')));
    json.field("positionFileExtension", extension)
        .field("positionFileName", "position" + extension)
        .field("positionFileFilterName", forms::kPositionFileFilterName)
        .field("saveFailed", forms::kSaveFailed);
}

std::string definitions()
{
    page::Json json;
    json.open();
    page::writeCommon(json);
    json.key("puzzle").open();
    writePuzzle(json);
    json.close().close();
    return json.text();
}

// The size the labels of one of the fitting groups are set in, given the
// page's measure of a text in twips at a size in points.
double groupPointSize(std::size_t group, double desktopPoints, val measure)
{
    return fittingPointSize(kFittingGroups.at(group), desktopPoints, forms::kTwipsPerPixel,
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
