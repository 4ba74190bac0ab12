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
#include <QTimer>

#include "game/board.h"
#include "qt/controls.h"
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
        for (QLabel* label : client()->findChildren<QLabel*>())
            if (label->text() == text)
                return label;
        return nullptr;
    }

    QWidget* client() const { return window->centralWidget(); }
    QLabel* lblTime() const { return partOf<QLabel>(*window, "lblTime"); }
    QPushButton* help() const { return partOf<QPushButton>(*window, "TOLMHelpControl1"); }

    // A real mouse event at `pixel` of square `index`, and the same event as
    // the game's handler takes it, given to `reference`: twips from where
    // the square lies in the game.
    struct Mouse {
        GameWindow& test;
        Puzzle reference;
        std::pair<float, float> twipsIn(int index, QPoint pixel)
        {
            const QPointF client = pixelsToTwips(cellOf(*test.window, index)->mapTo(test.client(), QPointF(pixel)));
            const SquarePosition at = reference.cell(index);
            return {static_cast<float>(client.x()) - at.left, static_cast<float>(client.y()) - at.top};
        }
        void press(int index, Qt::MouseButton button, QPoint pixel, Qt::KeyboardModifiers keys = {})
        {
            const auto [x, y] = twipsIn(index, pixel);
            QTest::mousePress(cellOf(*test.window, index), button, keys, pixel);
            reference.cell_MouseDown(index, buttonCode(button), shiftCode(keys), x, y);
        }
        void move(int index, QPoint pixel)
        {
            const auto [x, y] = twipsIn(index, pixel);
            QTest::mouseMove(cellOf(*test.window, index), pixel);
            reference.cell_MouseMove(index, button::Left, 0, x, y);
        }
        void release(int index, QPoint pixel)
        {
            const auto [x, y] = twipsIn(index, pixel);
            QTest::mouseRelease(cellOf(*test.window, index), Qt::LeftButton, {}, pixel);
            reference.cell_MouseUp(index, button::Left, 0, x, y);
        }
    };

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

    EXPECT_EQ(lblTime()->geometry(), twipsRect(6360, 360, 735, 255));
    EXPECT_EQ(lblTime()->text(), "0");
    EXPECT_NE(lblTime()->frameShape(), QFrame::NoFrame);

    EXPECT_EQ(help()->geometry(), twipsRect(1200, 1320, 1335, 375));

    // Everything the player needs lies inside the client area.
    const QRect area = client()->rect();
    for (int i = 0; i < kSquareCount; ++i)
        EXPECT_TRUE(area.contains(cellOf(*window, i)->geometry())) << "square " << i;
    EXPECT_TRUE(area.contains(lblTime()->geometry()));
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
    expectShownAt(*window, Puzzle().cell());
    const QImage image = client()->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    for (int i = 0; i < kSquareCount; ++i) {
        const Rgb c = pieceColour(pieceOf(i));
        const QPoint centre = cellOf(*window, i)->geometry().center();
        EXPECT_EQ(image.pixelColor(centre * scale), QColor(c.red, c.green, c.blue)) << "square " << i;
        EXPECT_EQ(cellOf(*window, i)->size(), QSize(16, 16));
    }
}

TEST_F(GameWindow, DrawsTheBoardLinesOverAWhiteGrid)
{
    const QImage image = client()->grab().toImage();
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
    auto* timer = partOf<QTimer>(*window, "Timer1");
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isActive());
    timer->timeout({});
    EXPECT_EQ(lblTime()->text(), "1");
    const std::vector<QPoint> start = shownSquares(*window);
    QTest::mouseClick(cellOf(*window, 12), Qt::RightButton);
    EXPECT_NE(shownSquares(*window), start);
    partOf<QAction>(*window, "mnuNew")->trigger();
    EXPECT_EQ(lblTime()->text(), "0");
    expectShownAt(*window, Puzzle().cell());
}

TEST_F(GameWindow, TheHelpPageStandsBesideTheGameWhileAPieceIsDragged)
{
    QTest::mouseClick(help(), Qt::LeftButton);
    QPointer<QDialog> page = partOf<QDialog>(*window, "helpPage");
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    EXPECT_FALSE(page->isModal());
    EXPECT_EQ(page->windowTitle(), "How to play");
    EXPECT_TRUE(page->findChild<QLabel*>()->text().contains("Ctrl+S"));

    Mouse mouse{*this};
    mouse.press(3, Qt::LeftButton, QPoint(4, 4));
    mouse.move(3, QPoint(40, 4));
    mouse.release(3, QPoint(40, 4));
    EXPECT_NE(mouse.reference.cell(), Puzzle().cell());
    expectShownAt(*window, mouse.reference.cell());
    EXPECT_TRUE(page->isVisible());

    QTest::mouseClick(help(), Qt::LeftButton);
    EXPECT_EQ(window->findChildren<QDialog*>(), QList<QDialog*>{page.data()});
}

// What the controller makes of the events is its own test's; here, that the
// square's events reach it as the game's handlers would take them.
TEST_F(GameWindow, MouseEventsOnASquareMoveItsPiece)
{
    Mouse mouse{*this};
    mouse.press(17, Qt::LeftButton, QPoint(4, 4));  // piece 3, the T
    mouse.move(17, QPoint(4 + 10, 4 - 50));
    expectShownAt(*window, mouse.reference.cell());
    mouse.move(17, QPoint(4 + 1, 4 - 1));
    mouse.release(17, QPoint(4 + 1, 4 - 1));
    expectShownAt(*window, mouse.reference.cell());

    // A right press mid-drag turns the piece at once, with Shift a mirror.
    mouse.press(17, Qt::LeftButton, QPoint(8, 8));
    mouse.press(17, Qt::RightButton, QPoint(8, 8), Qt::ShiftModifier);
    expectShownAt(*window, mouse.reference.cell());
    QTest::mouseRelease(cellOf(*window, 17), Qt::RightButton, Qt::ShiftModifier, QPoint(8, 8));
    mouse.release(17, QPoint(8, 8));

    mouse.press(55, Qt::RightButton, QPoint(0, 0), Qt::ControlModifier);
    expectShownAt(*window, mouse.reference.cell());
}
