// The two windows' behaviour, decided once for every front end: a front end
// that only records what it is asked to do stands in for Qt and Win32. Runs
// in the Linux tree and, cross-built, under Wine.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "game/positionfile.h"
#include "game/puzzlecontroller.h"
#include "game/splashcontroller.h"
#include "support.h"

using namespace morvane;
using namespace std::chrono;

namespace {

struct RecordingPuzzle : PuzzleFrontEnd {
    std::map<int, SquarePosition> placed;  // where each square was last put
    std::vector<int> placedOrder;
    std::string counter;
    int beeps = 0;
    int ends = 0;
    std::filesystem::path chosen;
    std::vector<std::string> messages;
    std::vector<HelpPage> pages;

    void placeSquare(int index, SquarePosition at) override
    {
        placed[index] = at;
        placedOrder.push_back(index);
    }
    void showCounter(std::string_view text) override { counter = text; }
    void beep() override { ++beeps; }
    std::filesystem::path chooseFileToOpen() override { return chosen; }
    std::filesystem::path chooseFileToSave() override { return chosen; }
    void reportMessage(std::string_view text) override { messages.emplace_back(text); }
    void showHelpPage(const HelpPage& page) override { pages.push_back(page); }
    void endProgram() override { ++ends; }
};

class GameWindow : public ::testing::Test {
protected:
    GameWindow() { game.Form_Load(); }
    ~GameWindow() override { std::filesystem::remove(file); }

    void expectShownAsTheRulesSay() const
    {
        for (int i = 0; i < kSquareCount; ++i)
            EXPECT_EQ(front.placed.at(i), game.puzzle().cell(i)) << "square " << i;
        EXPECT_EQ(front.counter, game.puzzle().caption());
    }

    // A piece dragged off the window, another turned, and 42 seconds.
    void play()
    {
        game.cell_MouseDown(0, button::Left, 0, 10, 10);
        game.cell_MouseMove(0, button::Left, 0, -5000, -3000);
        game.cell_MouseUp(0, button::Left, 0, 0, 0);
        game.cell_MouseDown(26, button::Right, 0, 0, 0);
        for (int t = 0; t < 42; ++t)
            game.Timer1_Timer();
    }

    RecordingPuzzle front;
    PuzzleController game{front};
    std::filesystem::path file = std::filesystem::temp_directory_path() / "morvane-controller-position.txt";
};

TEST_F(GameWindow, LoadsAtTheStartOnTheHowToPlayTopicAndFileNewGoesBackThere)
{
    EXPECT_EQ(game.puzzle().cell(), startingLayout(ShapeTable()));
    expectShownAsTheRulesSay();
    EXPECT_EQ(game.helpControl().helpContext(), kHowToPlayTopic);
    play();
    EXPECT_EQ(front.counter, "42");
    game.mnuNew_Click();
    EXPECT_EQ(game.puzzle().cell(), startingLayout(ShapeTable()));
    expectShownAsTheRulesSay();
}

TEST_F(GameWindow, AMovePlacesOnlyThatPiecesSquaresAndARefusedOneBeepsAndChangesNothing)
{
    front.placedOrder.clear();
    game.cell_MouseDown(17, button::Left, 0, 60, 60);
    game.cell_MouseMove(17, button::Left, 0, 210, -690);
    EXPECT_EQ(front.placedOrder, (std::vector{15, 16, 17, 18, 19}));
    game.cell_MouseUp(17, button::Left, 0, 75, 45);
    expectShownAsTheRulesSay();

    // 30 steps of 1200 twips put piece 0 past the lattice's reach.
    game.cell_MouseDown(0, button::Left, 0, 15, 15);
    for (int step = 0; step < 30; ++step)
        game.cell_MouseMove(0, button::Left, 0, 15, 1215);
    const Positions dragged = game.puzzle().cell();
    front.placedOrder.clear();
    game.cell_MouseUp(0, button::Left, 0, 15, 15);
    EXPECT_EQ(front.beeps, 1);
    EXPECT_TRUE(front.placedOrder.empty());
    EXPECT_EQ(game.puzzle().cell(), dragged);
}

TEST_F(GameWindow, HelpOpensItsTopicsPageEachTimeAndExitOrClosingEndsTheProgram)
{
    game.TOLMHelpControl1_Click();
    game.TOLMHelpControl1_Click();
    ASSERT_EQ(front.pages.size(), 2u);
    EXPECT_EQ(front.pages[0].title, "How to play");
    EXPECT_FALSE(front.pages[0].about.has_value());
    EXPECT_EQ(front.pages[0].rows.size(), kHelpRows.size());

    game.mnuExit_Click();
    game.Form_Unload();
    EXPECT_EQ(front.ends, 2);
}

TEST_F(GameWindow, SaveAndLoadPutEverySquareAndTheCounterBackButNotTheShapes)
{
    front.chosen = file;
    play();
    const Positions played = game.puzzle().cell();
    game.SaveGame();
    EXPECT_EQ(morvane::testing::fileContents(file), writePositionFile(played, "42"));
    game.mnuNew_Click();
    game.cell_MouseDown(5, button::Right, 0, 0, 0);
    const ShapeTable turned = game.puzzle().tables();
    game.LoadGame();
    EXPECT_EQ(game.puzzle().cell(), played);
    EXPECT_EQ(game.puzzle().tables(), turned);
    expectShownAsTheRulesSay();
    EXPECT_TRUE(front.messages.empty());
}

TEST_F(GameWindow, ACancelledChooserDoesNothingAndABadFileChangesNothingAndSaysSo)
{
    play();
    game.SaveGame();
    game.LoadGame();
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(front.messages.empty());

    front.chosen = file;
    morvane::testing::writeFile(file, " 2400  400 \r\n");  // squares 1 and on are missing
    const Positions played = game.puzzle().cell();
    game.LoadGame();
    EXPECT_EQ(game.puzzle().cell(), played);
    EXPECT_EQ(front.counter, "42");
    front.chosen = std::filesystem::temp_directory_path();  // a folder: neither read nor replaced
    game.LoadGame();
    game.SaveGame();
    EXPECT_EQ(front.messages, (std::vector<std::string>{std::string(forms::kLoadFailed),
                                                        std::string(forms::kLoadFailed),
                                                        std::string(forms::kSaveFailed)}));
}

struct RecordingSplash : SplashFrontEnd {
    year_month_day date{2005y / July / 1d};
    DateOrder order = DateOrder::MonthFirst;
    std::vector<forms::SplashLayout> layouts;
    std::vector<std::string> calls;  // everything else, in order
    std::vector<std::string> opened;

    year_month_day today() override { return date; }
    int ordersAsked = 0;
    DateOrder dateOrder() override
    {
        ++ordersAsked;
        return order;
    }
    void showLayout(const forms::SplashLayout& layout) override { layouts.push_back(layout); }
    void processPendingEvents() override { calls.emplace_back("pending"); }
    void openAddress(std::string_view url) override { opened.emplace_back(url); }
    void showGameWindow() override { calls.emplace_back("game"); }
    void closeSplash() override { calls.emplace_back("close"); }
    void endProgram() override { calls.emplace_back("end"); }
};

// A left press and release at a point in twips.
void click(SplashController& splash, float x, float y)
{
    splash.Form_MouseDown(button::Left, x, y);
    splash.Form_MouseUp(button::Left, x, y);
}

const std::string kMaker(forms::kMakerAddress);
const std::string kPartner(forms::kPartnerAddress);

TEST(Splash, OnTheSwitchDateOurBannerStandsWhereDefinedAndOnlyItOpensOurSite)
{
    RecordingSplash front;
    SplashController splash(front);
    splash.Form_Load();
    EXPECT_EQ(front.layouts, std::vector{forms::splashLayout(false)});
    EXPECT_EQ(front.layouts[0].picture1Left, 120.0f);
    EXPECT_TRUE(front.calls.empty());  // nothing pending to handle for the banner it was defined with

    click(splash, 3000, 200);  // where the hidden link would be
    click(splash, 200, 500);
    EXPECT_EQ(front.opened, std::vector{kMaker});
    EXPECT_TRUE(splash.opensAddressAt(200, 500));
    EXPECT_FALSE(splash.opensAddressAt(3000, 200));
}

TEST(Splash, AfterItThePartnerBannerIsCentredUnderItsLinkAndBothOpenThePartner)
{
    RecordingSplash front;
    front.date = 2005y / July / 2d;
    SplashController splash(front);
    splash.Form_Load();
    EXPECT_EQ(front.layouts.at(0).banner, forms::kPartnerBanner);
    EXPECT_EQ(front.layouts[0].picture1Left, 1890.0f);
    EXPECT_EQ(front.layouts[0].picture1Top, 480.0f);
    EXPECT_TRUE(front.layouts[0].label1Visible);
    EXPECT_EQ(front.calls, std::vector<std::string>{"pending"});

    click(splash, 3000, 200);
    click(splash, 3000, 1000);
    click(splash, 200, 500);  // beside the narrower banner
    EXPECT_EQ(front.opened, std::vector(2, kPartner));
}

TEST(Splash, TheSwitchDateIsReadInTheLocalesOrderWhichIsAskedOnlyWhenItDecides)
{
    int asked = 0;
    const auto partner = [&asked](year_month_day date, DateOrder order) {
        RecordingSplash front;
        front.date = date;
        front.order = order;
        SplashController splash(front);
        splash.Form_Load();
        asked += front.ordersAsked;
        return splash.layout().label1Visible;
    };
    EXPECT_TRUE(partner(2005y / January / 8d, DateOrder::DayFirst));
    EXPECT_FALSE(partner(2005y / January / 8d, DateOrder::MonthFirst));
    EXPECT_TRUE(partner(2005y / July / 1d, DateOrder::DayFirst));
    EXPECT_EQ(asked, 3);

    EXPECT_FALSE(partner(2005y / January / 7d, DateOrder::DayFirst));
    EXPECT_TRUE(partner(2005y / July / 2d, DateOrder::MonthFirst));
    EXPECT_TRUE(partner(2026y / December / 9d, DateOrder::DayFirst));
    EXPECT_EQ(asked, 3);
}

TEST(Splash, AClickIsALeftReleaseOverWhatThePressWentDownOnAndFollowsTheDateOfTheClick)
{
    RecordingSplash front;
    SplashController splash(front);
    splash.Form_Load();
    splash.Form_MouseDown(button::Left, 200, 500);  // a press alone opens nothing
    splash.Form_MouseUp(button::Left, 200, 2000);  // released off the banner
    splash.Form_MouseDown(button::Right, 200, 500);
    splash.Form_MouseUp(button::Right, 200, 500);
    splash.Form_MouseUp(button::Left, 200, 500);  // a release with no press before it
    EXPECT_TRUE(front.opened.empty());

    // Left open past midnight: the layout stays, the click asks the date again.
    front.date = 2005y / July / 2d;
    click(splash, 200, 500);
    EXPECT_EQ(front.opened, std::vector{kPartner});
    EXPECT_FALSE(splash.layout().label1Visible);
}

TEST(Splash, ContinueShowsTheGameBeforeTheSplashGoesAndOnlyClosingOtherwiseEndsTheProgram)
{
    RecordingSplash front;
    SplashController splash(front);
    splash.Command1_Click();
    splash.Form_Unload();
    splash.Command1_Click();  // a second press queued behind the first
    EXPECT_EQ(front.calls, (std::vector<std::string>{"game", "close"}));

    RecordingSplash closed;
    SplashController(closed).Form_Unload();
    EXPECT_EQ(closed.calls, std::vector<std::string>{"end"});
}

} // namespace
