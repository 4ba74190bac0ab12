// The splash window on Qt: its frame, the two layouts as widgets, clicks on
// the banner and the label reaching the controller, and the hand-over to the
// game window by mouse and keys. The clock, the locale's date order and the
// browser are the test's own.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <utility>
#include <vector>

#include "qt/controls.h"
#include "qt/frmSplash.h"
#include "qt/frmPuzzle.h"
#include "qtapp.h"

using namespace morvane;
using namespace std::chrono;

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {


// A desktop whose date and date order the test sets, and which remembers
// every address it was asked to open instead of opening it.
struct FakeDesktop {
    year_month_day today;
    DateOrder order = DateOrder::MonthFirst;
    std::vector<std::pair<WId, QString>> opened;
    int programEnds = 0;

    Desktop seams()
    {
        Desktop desktop = systemDesktop();
        desktop.today = [this] { return today; };
        desktop.dateOrder = [this] { return order; };
        desktop.openAddress = [this](WId owner, const QString& url) { opened.emplace_back(owner, url); };
        desktop.endProgram = [this] { ++programEnds; };
        return desktop;
    }
};

class Splash : public testing::Test {
protected:
    QPointer<frmSplash> open(year_month_day today, DateOrder order = DateOrder::MonthFirst)
    {
        desktop.today = today;
        desktop.order = order;
        splash = new frmSplash(desktop.seams());
        splash->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(splash));
        return splash;
    }

    void TearDown() override
    {
        delete splash;
        for (const QPointer<QWidget>& game : gameWindows(false))
            delete game;
    }

    // Collected first: deleting a game window takes its menus with it.
    static std::vector<QPointer<QWidget>> gameWindows(bool visibleOnly)
    {
        std::vector<QPointer<QWidget>> games;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmPuzzle*>(w) && (w->isVisible() || !visibleOnly))
                games.emplace_back(w);
        return games;
    }

    static QImage image(const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_RGB32); }

    FakeDesktop desktop;
    QPointer<frmSplash> splash;
};

TEST_F(Splash, IsAFixedWhiteToolWindowCentredOnTheScreen)
{
    open(2005y / July / 1d);
    const Qt::WindowFlags flags = splash->windowFlags();
    EXPECT_EQ(splash->windowType(), Qt::Tool);
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    EXPECT_EQ(splash->minimumSize(), QSize(507, 159));
    EXPECT_EQ(splash->maximumSize(), splash->minimumSize());
    EXPECT_EQ(splash->grab().toImage().pixelColor(2, 2), QColor(Qt::white));
    EXPECT_LE((splash->geometry().center() - splash->screen()->geometry().center()).manhattanLength(), 1);
    EXPECT_TRUE(partOf<QLabel>(*splash, "Picture2")->isHidden());
}

TEST_F(Splash, OnTheSwitchDateShowsOurBannerLinkedToOurSite)
{
    open(2005y / July / 1d);
    EXPECT_EQ(partOf<QLabel>(*splash, "Picture1")->geometry(), QRect(8, 32, 7320 / 15, 885 / 15));
    EXPECT_EQ(image(partOf<QLabel>(*splash, "Picture1")->pixmap()), image(QPixmap(":/banner-default.bmp")));
    EXPECT_FALSE(partOf<QLabel>(*splash, "Label1")->isVisible());

    QTest::mouseClick(partOf<QLabel>(*splash, "Picture1"), Qt::RightButton);
    QTest::mousePress(partOf<QLabel>(*splash, "Picture1"), Qt::LeftButton);
    EXPECT_TRUE(desktop.opened.empty());
    QTest::mouseRelease(partOf<QLabel>(*splash, "Picture1"), Qt::LeftButton);
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], std::pair(splash->winId(), qtText(forms::kMakerAddress)));
}

TEST_F(Splash, AfterTheSwitchDateCentresThePartnerBannerUnderItsLink)
{
    open(2005y / July / 2d);
    EXPECT_EQ(partOf<QLabel>(*splash, "Picture1")->geometry(), QRect(126, 32, 3825 / 15, 1155 / 15));
    EXPECT_EQ(image(partOf<QLabel>(*splash, "Picture1")->pixmap()), image(QPixmap(":/banner-partner.bmp")));
    EXPECT_TRUE(partOf<QLabel>(*splash, "Label1")->isVisible());
    EXPECT_EQ(partOf<QLabel>(*splash, "Label1")->text(), "Click to visit Larkfen online.");

    QTest::mouseClick(partOf<QLabel>(*splash, "Picture1"), Qt::LeftButton);
    QTest::mouseClick(partOf<QLabel>(*splash, "Label1"), Qt::LeftButton);
    const std::pair partner(splash->winId(), qtText(forms::kPartnerAddress));
    EXPECT_EQ(desktop.opened, (std::vector{partner, partner}));
}

TEST_F(Splash, ClosingItWithoutContinuingEndsTheProgram)
{
    open(2005y / July / 1d);
    splash->close();
    EXPECT_EQ(desktop.programEnds, 1);

    // And for real: a tool window alone would not end the event loop.
    FakeDesktop clock{.today = 2005y / July / 1d};
    Desktop realEnd = clock.seams();
    realEnd.endProgram = systemDesktop().endProgram;
    auto* real = new frmSplash(realEnd);
    real->show();
    QTimer::singleShot(0, real, &QWidget::close);
    QTimer watchdog;
    watchdog.callOnTimeout([] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
}

// What a screen reader reads: a button named for its text, less the mark.
TEST_F(Splash, ToAScreenReaderContinueIsAButtonNamedContinue)
{
    open(2005y / July / 1d);
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(partOf<QPushButton>(*splash, "Command1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(partOf<QPushButton>(*splash, "Command1")->text(), "&Continue");
    EXPECT_EQ(button->text(QAccessible::Name), "Continue");
}

struct Key {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const Key& key, std::ostream* out)
{
    *out << key.name;
}

class ContinueKey : public Splash, public testing::WithParamInterface<Key> {};

TEST_P(ContinueKey, OpensTheGameWindowBeforeTheSplashGoes)
{
    open(2005y / July / 2d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
    bool gameShownFirst = false;
    QObject::connect(splash->windowHandle(), &QWindow::visibleChanged,
                     [&](bool visible) { gameShownFirst = !visible && !gameWindows(true).empty(); });

    // Alt+C animates the press, so the button is released a moment later.
    QTest::keyClick(splash->windowHandle(), GetParam().key, GetParam().modifiers);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }));
    EXPECT_TRUE(gameShownFirst);
    EXPECT_EQ(desktop.programEnds, 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, ContinueKey,
                         testing::Values(Key{"Return", Qt::Key_Return, {}},
                                         Key{"Enter", Qt::Key_Enter, Qt::KeypadModifier},
                                         Key{"Space", Qt::Key_Space, {}}, Key{"AltC", Qt::Key_C, Qt::AltModifier}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
