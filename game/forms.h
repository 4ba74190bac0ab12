#pragma once

// The game's two windows as they are defined, before they load: each frame,
// each control with its rectangle in twips, its text, font, alignment,
// border, colours and place in the tab order, and the game window's menu.
// Every front end builds its windows from these, so the game looks the same
// on each and a change to a window is made once, here.

#include <array>
#include <string_view>

#include "game/pieces.h"
#include "game/version.h"

namespace morvane::forms {

// The standard scheme's window colours, which the game fixes wherever it
// fixes a surface: ink and surface always go together, so a dark desktop
// scheme never puts light text on the game's white.
inline constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kBlack{0x00, 0x00, 0x00};
inline constexpr Rgb kLinkBlue{0x00, 0x00, 0xFF};

enum class ControlKind {
    Label,
    PictureBox,
    Button,
    HelpControl,  // the button under the instructions that opens the help page
};

enum class Alignment { Left, Centre };

enum class Border {
    None,
    Single,  // a one-pixel frame
    Sunken,  // a single border with a three-dimensional look, two pixels deep
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(TwipsRect, TwipsRect) = default;
};

struct Font {
    std::string_view face;  // empty: the desktop's own font for window text
    int points = 0;         // 0 with an empty face: the desktop's own size
    bool bold = false;
    bool underline = false;
};

inline constexpr int kNoTabStop = -1;

struct Control {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    TwipsRect rect;
    std::string_view text;
    Font font;
    Alignment alignment = Alignment::Left;
    Border border = Border::None;
    Rgb foreground = kBlack;
    Rgb background = kWhite;
    bool visible = true;
    int tabIndex = kNoTabStop;  // place in the keyboard focus order
};

enum class Frame {
    FixedSingle,  // caption, system menu, minimize and close; no maximize, no resizing
    ToolWindow,   // no caption bar at all, no taskbar button
};

enum class Placement { TopLeftOfScreen, CentreOfScreen };

struct Form {
    std::string_view name;
    std::string_view caption;
    Frame frame = Frame::FixedSingle;
    // The game window is sized from frame to frame, the splash by its client area.
    int width = 0;
    int height = 0;
    bool sizeIsOuter = false;
    Placement placement = Placement::TopLeftOfScreen;
    Rgb background = kWhite;
};

// The game window. Its controls are listed in the order they are made; the
// squares, made after them, lie above them all.
inline constexpr Form frmPuzzle{"frmPuzzle", "Puzzle !", Frame::FixedSingle, 7400, 6400, true,
                                Placement::TopLeftOfScreen, kWhite};

inline constexpr Font kTitleFont{"Arial", 12, true, false};

inline constexpr Control Label1{"Label1", ControlKind::Label, {120, 120, 3615, 375},
                                "Arrange shapes into the grid!", kTitleFont, Alignment::Centre};
inline constexpr Control Label2{"Label2", ControlKind::Label, {120, 480, 3615, 255},
                                "MOVE : Left button + Movement", {}, Alignment::Centre};
inline constexpr Control Label3{"Label3", ControlKind::Label, {120, 720, 3615, 255}, "Rotate : Right button",
                                {}, Alignment::Centre};
inline constexpr Control Label4{"Label4", ControlKind::Label, {120, 960, 3615, 255},
                                "Mirror : Shift or Ctrl + Right button", {}, Alignment::Centre};
inline constexpr Control lblTime{"lblTime", ControlKind::Label, {6360, 360, 735, 255}, "0", {},
                                 Alignment::Centre, Border::Single};
inline constexpr Control Label5{"Label5", ControlKind::Label, {6360, 720, 735, 255}, "Seconds", {},
                                Alignment::Left};
// Its face and text are the desktop's: it is a button like any other.
inline constexpr Control TOLMHelpControl1{"TOLMHelpControl1", ControlKind::HelpControl, {1200, 1320, 1335, 375},
                                          "Help", {}, Alignment::Centre};

inline constexpr std::array<const Control*, 7> kPuzzleControls{&Label1, &Label2, &Label3, &Label4,
                                                               &lblTime, &Label5, &TOLMHelpControl1};

// Labels that share a column share one font size: where the desktop's font
// would cut one of them short, the whole group is set smaller together.
inline constexpr std::array<const Control*, 3> kInstructionLabels{&Label2, &Label3, &Label4};
inline constexpr std::array<const Control*, 2> kCounterLabels{&lblTime, &Label5};

// The one-second timer that drives the counter.
inline constexpr int kTimer1IntervalMs = 1000;

// What the file chooser offers first.
inline constexpr std::string_view kPositionFilePattern = "*.txt";
inline constexpr std::string_view kPositionFileFilterName = "Position files";

// The help control's one property, set at load, is the number of the topic
// its button opens.
inline constexpr unsigned kHelpContextProperty = 0x68030000;
inline constexpr std::string_view kHelpContextAtLoad = "25";

struct MenuEntry {
    std::string_view name;
    std::string_view caption;  // no marked letters, and no shortcut keys
};

inline constexpr MenuEntry mnuFile{"mnuFile", "File"};
inline constexpr std::array<MenuEntry, 2> kFileMenu{{{"mnuNew", "New"}, {"mnuExit", "Exit"}}};

// The messages the position file operations show, in boxes captioned with
// the program's title.
inline constexpr std::string_view kProgramTitle = "Morvane";
inline constexpr std::string_view kLoadFailed = "An error occured, can not read data file !";
inline constexpr std::string_view kSaveFailed = "An error occured, can not save !";

// The splash window.
inline constexpr Form frmSplash{"frmSplash", "", Frame::ToolWindow, 7605, 2385, false, Placement::CentreOfScreen,
                                kWhite};

// A banner as the splash carries it: a bitmap of a fixed size in pixels,
// laid out at 15 twips per pixel.
struct Banner {
    std::string_view resource;
    int widthPixels = 0;
    int heightPixels = 0;
    constexpr int widthTwips() const { return widthPixels * 15; }
    constexpr int heightTwips() const { return heightPixels * 15; }
};

inline constexpr Banner kDefaultBanner{"banner-default.bmp", 488, 59};
inline constexpr Banner kPartnerBanner{"banner-partner.bmp", 255, 77};

// The controls in their tab order; "&Continue" comes first and so holds the
// focus when the window opens. Picture2 is never shown: it only stores the
// partner banner. A picture box sizes itself to its picture, so the sizes
// here are the pictures' plus any border.
inline constexpr Control Command1{"Command1", ControlKind::Button, {120, 1800, 7335, 495}, "&Continue", {},
                                  Alignment::Centre, Border::None, kBlack, kWhite, true, 0};
inline constexpr Control Picture2{"Picture2", ControlKind::PictureBox, {1800, 240, 3885, 1215}, "", {},
                                  Alignment::Left, Border::Sunken, kBlack, kWhite, false, 1};
inline constexpr Control SplashLabel1{"Label1", ControlKind::Label, {120, 0, 7335, 375},
                                      "Click to visit Larkfen online.", {"MS Sans Serif", 12, true, true},
                                      Alignment::Centre, Border::None, kLinkBlue, kWhite, false, 2};
inline constexpr Control Picture1{"Picture1", ControlKind::PictureBox, {120, 480, 7320, 885}, "", {},
                                  Alignment::Left, Border::None, kBlack, kWhite, true, 3};

inline constexpr std::array<const Control*, 4> kSplashControls{&Command1, &Picture2, &SplashLabel1, &Picture1};

// Hosts under .example, which can never belong to a real site. The maker's
// comes with the version, from the build, since the installer names it too.
inline constexpr std::string_view kPartnerAddress = "http://www.larkfen.example";
using morvane::kMakerAddress;

// The splash's two layouts, fixed when it loads. Before and on the switch
// date Picture1 shows the default banner where it was defined and the label
// stays hidden; after it Picture1 takes the partner banner, centred across
// the window in floating point (it may fall between two pixels), with the
// link label above it.
struct SplashLayout {
    Banner banner;
    float picture1Left = 0;
    float picture1Top = 0;
    bool label1Visible = false;
};

constexpr SplashLayout splashLayout(bool partnerPeriod)
{
    if (!partnerPeriod)
        return {kDefaultBanner, static_cast<float>(Picture1.rect.left), static_cast<float>(Picture1.rect.top), false};
    const float clientWidth = static_cast<float>(frmSplash.width);
    const float bannerWidth = static_cast<float>(kPartnerBanner.widthTwips());
    return {kPartnerBanner, (clientWidth - bannerWidth) / 2, static_cast<float>(Picture1.rect.top), true};
}

} // namespace morvane::forms
