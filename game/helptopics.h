#pragma once

// What the help control's page says. Its one property, set by the game
// window at load, is the help context: the number of the topic the page
// shows. Topic 25 is "How to play"; any other number opens "About Morvane",
// which is the same page under a line naming the game and its version.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace morvane {

inline constexpr int kHowToPlayTopic = 25;

// The help context a property value gives: a whole number, blanks around it
// allowed; nothing for any other text, which leaves the context as it was.
std::optional<int> helpContextOf(std::string_view value);

std::string_view helpTopicTitle(int context);

// The line above the page in the About topic ("Morvane 2.00, a pentomino
// puzzle."), empty in How to play; the game's name comes first and a page
// may set it apart.
struct AboutLine {
    std::string_view name;
    std::string rest;
};
std::optional<AboutLine> helpAboutLine(int context);

inline constexpr std::string_view kHelpIntroduction =
    "Fit the twelve pieces into the 6 x 10 grid. Every piece is used once; "
    "the clock counts the seconds, and when you are done is up to you.";

struct HelpRow {
    std::string_view action;
    std::string_view description;
};

inline constexpr std::array<HelpRow, 7> kHelpRows{{
    {"Move", "Hold the left button on a piece and drag it. When you let go it settles onto the grid."},
    {"Turn", "Click a piece with the right button: a quarter turn anticlockwise."},
    {"Mirror", "Shift + right button flips it top to bottom, Ctrl + right button left to right."},
    {"Keys", "Tab goes from piece to piece. The arrow keys move the piece one square, R turns it, "
             "V flips it top to bottom and H left to right."},
    {"Save", "Ctrl+S writes the position of every piece and the clock to a file."},
    {"Load", "Ctrl+O puts the pieces back from such a file."},
    {"Start again", "File > New."},
}};

// The page the help control opens, as every front end shows it: a title,
// the About line where the topic has one, the introduction and the rows.
struct HelpPage {
    std::string_view title;
    std::optional<AboutLine> about;
    std::string_view introduction = kHelpIntroduction;
    std::span<const HelpRow> rows = kHelpRows;
};

// The help control as the game window hosts it: its one property and the
// page it opens.
class HelpControl {
public:
    // A late-bound property assignment as the window performs it at load.
    // Any other property, or a value that is not a whole number, leaves the
    // control as it was.
    void setDispatchProperty(unsigned dispatchId, std::string_view value);
    HelpPage page() const;

private:
    int helpContext_ = 0;
};

} // namespace morvane
