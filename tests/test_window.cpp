// The game window on Qt as a player sees it: its controls and their places,
// the board drawn on screen, and each real event reaching the window's
// controller: mouse events on the squares, the timer, the File menu and the
// Help button, whose page stays open while a piece is dragged.

#include <gtest/gtest.h>

#include <QAction>
#include <QPointer>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "game/board.h"
#include "qt/square.h"
#include "qt/frmPuzzle.h"
#include "qt/helppage.h"
#include "qt/twips.h"
#include "qtapp.h"

using namespace morvane;

namespace {

class GameWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Desktop desktop;
        desktop.endProgram = [this] { ++exits; };
        window = std::make_unique<frmPuzzle>(desktop);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QLabel* labelWithText(const QString& text) const
    {
        for (QLabel* label : window->clientArea()->findChildren<QLabel*>())
            if (label->text() == text)
                return label;
        return nullptr;
    }

    // Where the model says a square is, in the client area's pixels.
    QPoint expectedPixels(int index) const
    {
        const SquarePosition s = window->puzzle().cell(index);
        return {twipsToPixels(s.left), twipsToPixels(s.top)};
    }

    void expectWidgetsFollowModel() const
    {
        for (int i = 0; i < kSquareCount; ++i)
            ASSERT_EQ(window->cell(i)->pos(), expectedPixels(i)) << "square " << i;
    }

    std::unique_ptr<frmPuzzle> window;
    int exits = 0;
};

} // namespace

TEST_F(GameWindow, HasItsTitleFixedSizeAndControls)
{
    EXPECT_EQ(window->windowTitle(), "Puzzle !");
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});

    const struct {
        const char* text;
        QRect twips;
        Qt::Alignment horizontal;
    } labels[] = {
        {"Arrange shapes into the grid!", {120, 120, 3615, 375}, Qt::AlignHCenter},
        {"MOVE : Left button + Movement", {120, 480, 3615, 255}, Qt::AlignHCenter},
        {"Rotate : Right button", {120, 720, 3615, 255}, Qt::AlignHCenter},
        {"Mirror : Shift or Ctrl + Right button", {120, 960, 3615, 255}, Qt::AlignHCenter},
        {"Seconds", {6360, 720, 735, 255}, Qt::AlignLeft},
    };
    for (const auto& l : labels) {
        QLabel* label = labelWithText(l.text);
        ASSERT_NE(label, nullptr) << l.text;
        EXPECT_EQ(label->geometry(), twipsRect(l.twips.x(), l.twips.y(), l.twips.width(), l.twips.height())) << l.text;
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, l.horizontal) << l.text;
    }
    const QFont title = labelWithText("Arrange shapes into the grid!")->font();
    EXPECT_TRUE(title.bold());
    EXPECT_EQ(title.pointSize(), 12);

    EXPECT_EQ(window->lblTime()->geometry(), twipsRect(6360, 360, 735, 255));
    EXPECT_EQ(window->lblTime()->text(), "0");
    EXPECT_NE(window->lblTime()->frameShape(), QFrame::NoFrame);

    EXPECT_EQ(window->helpControl()->geometry(), twipsRect(1200, 1320, 1335, 375));

    // Everything the player needs lies inside the client area.
    const QRect client = window->clientArea()->rect();
    for (int i = 0; i < kSquareCount; ++i)
        EXPECT_TRUE(client.contains(window->cell(i)->geometry())) << "square " << i;
    EXPECT_TRUE(client.contains(window->lblTime()->geometry()));
}

TEST_F(GameWindow, FileMenuOffersNewAndExitWithoutKeys)
{
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "File");
    const QList<QAction*> items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "New");
    EXPECT_EQ(items[1]->text(), "Exit");
    for (QAction* item : items)
        EXPECT_TRUE(item->shortcut().isEmpty());

    items[1]->trigger();
    EXPECT_EQ(exits, 1);
    window->close();
    EXPECT_EQ(exits, 2);
}

TEST_F(GameWindow, SquaresWearTheirPieceColoursAtTheirStartingPlaces)
{
    expectWidgetsFollowModel();
    const QImage image = window->clientArea()->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    for (int i = 0; i < kSquareCount; ++i) {
        const Rgb c = pieceColour(pieceOf(i));
        const QPoint centre = window->cell(i)->geometry().center();
        EXPECT_EQ(image.pixelColor(centre * scale), QColor(c.red, c.green, c.blue)) << "square " << i;
        EXPECT_EQ(window->cell(i)->size(), QSize(16, 16));
    }
}

TEST_F(GameWindow, DrawsTheBoardLinesOverAWhiteGrid)
{
    const QImage image = window->clientArea()->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const auto pixel = [&](int xTwips, int yTwips) {
        return image.pixelColor(QPoint(twipsToPixels(xTwips), twipsToPixels(yTwips)) * scale);
    };
    for (const Line& l : boardLines()) {
        // Sample along every line, clipped to the client area.
        for (int t = 0; t <= 8; ++t) {
            const int x = std::min(l.x1 + (l.x2 - l.x1) * t / 8, 7300);
            const int y = l.y1 + (l.y2 - l.y1) * t / 8;
            if (l.y1 == 0 && x > 3600 && x < 7300 && pixel(x, y).lightness() > 100)
                ADD_FAILURE() << "top rule missing at " << x;
            if (l.y1 != 0) {
                EXPECT_LT(pixel(x, y).lightness(), 100) << "line at " << x << "," << y;
            }
        }
    }
    for (int r = 0; r < kBoardRows; ++r)
        for (int c = 0; c < kBoardColumns; ++c)
            EXPECT_EQ(pixel(kBoardLeft + 240 * c + 120, kBoardTop + 240 * r + 120), QColor(Qt::white)) << r << "," << c;
    EXPECT_EQ(pixel(kBoardRight + 60, 1000), QColor(Qt::white));  // nothing past the last column
}

TEST_F(GameWindow, TheTimerCountsOnTheLabelAndFileNewPutsThePiecesBack)
{
    EXPECT_EQ(window->Timer1().interval(), 1000);
    EXPECT_TRUE(window->Timer1().isActive());
    window->Timer1().timeout({});
    EXPECT_EQ(window->lblTime()->text(), "1");
    QTest::mouseClick(window->cell(12), Qt::RightButton);
    window->mnuNew()->trigger();
    EXPECT_EQ(window->lblTime()->text(), "0");
    EXPECT_EQ(window->puzzle().tables(), ShapeTable());
    expectWidgetsFollowModel();
}

TEST_F(GameWindow, TheHelpPageStandsBesideTheGameWhileAPieceIsDragged)
{
    QTest::mouseClick(window->helpControl(), Qt::LeftButton);
    QPointer<QDialog> page = window->helpPage();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    EXPECT_FALSE(page->isModal());
    EXPECT_EQ(page->windowTitle(), "How to play");
    EXPECT_TRUE(page->findChild<QLabel*>()->text().contains("Ctrl+S"));

    Square* square = window->cell(3);
    QTest::mousePress(square, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(square, QPoint(40, 4));
    QTest::mouseRelease(square, Qt::LeftButton, {}, QPoint(40, 4));
    EXPECT_NE(window->puzzle().cell(), Puzzle().cell());
    expectWidgetsFollowModel();
    EXPECT_TRUE(page->isVisible());

    QTest::mouseClick(window->helpControl(), Qt::LeftButton);
    EXPECT_EQ(window->helpPage(), page.data());
}

TEST_F(GameWindow, MouseEventsOnASquareMoveItsPiece)
{
    Square* square = window->cell(17);  // piece 3, the T
    QTest::mousePress(square, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(window->puzzle().GrabX(), 60.0f);
    EXPECT_EQ(window->puzzle().GrabY(), 60);
    QTest::mouseMove(square, QPoint(4 + 10, 4 - 50));
    expectWidgetsFollowModel();
    QTest::mouseMove(square, QPoint(4 + 1, 4 - 1));
    const SquarePosition before = window->puzzle().cell(15);
    QTest::mouseRelease(square, Qt::LeftButton, {}, QPoint(4 + 1, 4 - 1));
    const SquarePosition after = window->puzzle().cell(15);
    EXPECT_EQ(after.left, snap(before.left));
    EXPECT_EQ(after.top, snap(before.top));
    expectWidgetsFollowModel();

    // A right press mid-drag turns the piece at once; both buttons held moves nothing.
    QTest::mousePress(square, Qt::LeftButton, {}, QPoint(8, 8));
    const ShapeTable tables = window->puzzle().tables();
    QTest::mousePress(square, Qt::RightButton, Qt::ShiftModifier, QPoint(8, 8));
    EXPECT_NE(window->puzzle().tables(), tables);
    expectWidgetsFollowModel();

    QTest::mouseClick(window->cell(55), Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(window->puzzle().tables().shape(11)[1], (Offset{-1, 0}));
    expectWidgetsFollowModel();
}
