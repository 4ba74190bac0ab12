#pragma once

// The game's two windows as they are defined, before they load: each frame,
// each control with its rectangle in twips, its text, font, alignment,
// border, colours and place in the tab order, and the game window's menu.
// Every front end builds its windows from these, so the game looks the same
// on each and a change to a window is made once, here.

#include <algorithm>
#include <array>
#include <span>
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

// How deep a border is on each side, in pixels of the screen.
constexpr int borderPixels(Border border)
{
    return border == Border::None ? 0 : border == Border::Single ? 1 : 2;
}

// The windows are laid out at 15 twips to a pixel of a standard 96-DPI
// screen; a denser screen scales them from there.
inline constexpr int kTwipsPerPixel = 15;

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

// Where a control stands in a window's list of controls.
constexpr int indexOf(std::span<const Control* const> controls, const Control& control)
{
    return static_cast<int>(std::find(controls.begin(), controls.end(), &control) - controls.begin());
}

// The letter a text marks with "&" as its access key, as a capital, or 0;
// "&&" is an ampersand.
constexpr char accessKeyOf(std::string_view text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        const char marked = text[i + 1];
        if (marked != '&')
            return marked >= 'a' && marked <= 'z' ? static_cast<char>(marked - 'a' + 'A') : marked;
        ++i;
    }
    return 0;
}

enum class Frame {
    FixedSingle,  // caption, system menu, minimize and close; no maximize, no resizing
    ToolWindow,   // no caption bar at all, no taskbar button
};

enum class Placement { TopLeftOfScreen, CentreOfScreen };

struct TwipsSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(TwipsSize, TwipsSize) = default;
};

struct Form {
    std::string_view caption;
    Frame frame = Frame::FixedSingle;
    TwipsSize size;
    // The game window is sized from frame to frame, the splash by its client area.
    bool sizeIsOuter = false;
    Placement placement = Placement::TopLeftOfScreen;
    Rgb background = kWhite;
};

// What a fixed single frame with a caption and one menu row takes of a window
// sized from frame to frame, for a desktop that cannot say so before the
// window is on screen. Where the desktop can (Win32 can), it is asked instead.
inline constexpr TwipsSize kFrameWithMenuAllowance{.width = 95, .height = 655};

// The client area a form lays its controls out in, on a desktop that does
// not measure its frames.
constexpr TwipsSize clientSize(const Form& form)
{
    if (!form.sizeIsOuter)
        return form.size;
    return {.width = form.size.width - kFrameWithMenuAllowance.width,
            .height = form.size.height - kFrameWithMenuAllowance.height};
}

// The game window. Its controls are listed in the order they are made; the
// squares, made after them, lie above them all.
inline constexpr Form frmPuzzle{.caption = "Puzzle !",
                                .frame = Frame::FixedSingle,
                                .size = {.width = 7400, .height = 6400},
                                .sizeIsOuter = true,
                                .placement = Placement::TopLeftOfScreen,
                                .background = kWhite};

inline constexpr Font kTitleFont{.face = "Arial", .points = 12, .bold = true};

inline constexpr Control Label1{.rect = {120, 120, 3615, 375},
                                .text = "Arrange shapes into the grid!",
                                .font = kTitleFont,
                                .alignment = Alignment::Centre};
inline constexpr Control Label2{
    .rect = {120, 480, 3615, 255}, .text = "MOVE : Left button + Movement", .alignment = Alignment::Centre};
inline constexpr Control Label3{
    .rect = {120, 720, 3615, 255}, .text = "Rotate : Right button", .alignment = Alignment::Centre};
inline constexpr Control Label4{
    .rect = {120, 960, 3615, 255}, .text = "Mirror : Shift or Ctrl + Right button", .alignment = Alignment::Centre};
inline constexpr Control lblTime{
    .rect = {6360, 360, 735, 255}, .text = "0", .alignment = Alignment::Centre, .border = Border::Single};
inline constexpr Control Label5{.rect = {6360, 720, 735, 255}, .text = "Seconds", .alignment = Alignment::Left};
// Its face and text are the desktop's: it is a button like any other, and
// the one control of the game window that takes the focus.
inline constexpr Control TOLMHelpControl1{.kind = ControlKind::HelpControl,
                                          .rect = {1200, 1320, 1335, 375},
                                          .text = "Help",
                                          .alignment = Alignment::Centre,
                                          .tabIndex = 0};

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

// What assistive technology calls the board drawn on the client area.
inline constexpr std::string_view kBoardName = "Board, 6 rows by 10 columns";

// A finger held still this long on a piece, within this distance of where it
// touched, is a right press; the three handles a tap shows beside a piece
// are the right press alone, with Shift and with Ctrl.
inline constexpr int kHoldMs = 500;
inline constexpr float kHoldSlopTwips = 150.0f;
inline constexpr std::array<std::string_view, 3> kHandleNames{"Turn", "Mirror top to bottom", "Mirror left to right"};

// File, with New and Exit: no marked letters, and no shortcut keys. The bar
// holding it is named for assistive technology as the menu bar.
inline constexpr std::string_view kMenuBarName = "Menu bar";
inline constexpr std::string_view mnuFile = "File";
inline constexpr std::string_view mnuNew = "New";
inline constexpr std::string_view mnuExit = "Exit";

// The messages the position file operations show, in boxes captioned with
// the program's title.
inline constexpr std::string_view kProgramTitle = "Morvane";
inline constexpr std::string_view kLoadFailed = "An error occured, can not read data file !";
inline constexpr std::string_view kSaveFailed = "An error occured, can not save !";

// The splash window.
inline constexpr Form frmSplash{.caption = "",
                                .frame = Frame::ToolWindow,
                                .size = {.width = 7605, .height = 2385},
                                .sizeIsOuter = false,
                                .placement = Placement::CentreOfScreen,
                                .background = kWhite};

// A banner as the splash carries it: a bitmap of a fixed size in pixels,
// laid out at the standard twips per pixel.
struct Banner {
    std::string_view resource;
    std::string_view text;  // what it says, for whoever cannot see it
    int widthPixels = 0;
    int heightPixels = 0;
    constexpr int widthTwips() const { return widthPixels * kTwipsPerPixel; }
    constexpr int heightTwips() const { return heightPixels * kTwipsPerPixel; }
    friend constexpr bool operator==(const Banner&, const Banner&) = default;
};

inline constexpr Banner kDefaultBanner{
    .resource = "banner-default.bmp", .text = "Morvane, a pentomino puzzle", .widthPixels = 488, .heightPixels = 59};
inline constexpr Banner kPartnerBanner{
    .resource = "banner-partner.bmp", .text = "Larkfen, puzzles & games online", .widthPixels = 255, .heightPixels = 77};

// The controls in their tab order; "&Continue" comes first and so holds the
// focus when the window opens. Picture2 is never shown: it only stores the
// partner banner. A picture box sizes itself to its picture, so the sizes
// here are the pictures' plus any border.
inline constexpr Control Command1{.kind = ControlKind::Button,
                                  .rect = {120, 1800, 7335, 495},
                                  .text = "&Continue",
                                  .alignment = Alignment::Centre,
                                  .tabIndex = 0};
inline constexpr Control Picture2{.kind = ControlKind::PictureBox,
                                  .rect = {1800, 240, 3885, 1215},
                                  .border = Border::Sunken,
                                  .visible = false,
                                  .tabIndex = 1};
inline constexpr Control SplashLabel1{.rect = {120, 0, 7335, 375},
                                      .text = "Click to visit Larkfen online.",
                                      .font = {.face = "MS Sans Serif", .points = 12, .bold = true, .underline = true},
                                      .alignment = Alignment::Centre,
                                      .foreground = kLinkBlue,
                                      .visible = false,
                                      .tabIndex = 2};
inline constexpr Control Picture1{
    .kind = ControlKind::PictureBox, .rect = {120, 480, 7320, 885}, .tabIndex = 3};

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
    friend constexpr bool operator==(const SplashLayout&, const SplashLayout&) = default;
};

constexpr SplashLayout splashLayout(bool partnerPeriod)
{
    const auto top = static_cast<float>(Picture1.rect.top);
    if (!partnerPeriod)
        return {.banner = kDefaultBanner, .picture1Left = static_cast<float>(Picture1.rect.left), .picture1Top = top};
    const auto clientWidth = static_cast<float>(frmSplash.size.width);
    const auto bannerWidth = static_cast<float>(kPartnerBanner.widthTwips());
    return {.banner = kPartnerBanner,
            .picture1Left = (clientWidth - bannerWidth) / 2,
            .picture1Top = top,
            .label1Visible = true};
}

} // namespace morvane::forms
