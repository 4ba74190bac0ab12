// A long, seeded stream of real mouse events through the game window:
// presses, moves and releases of every button with every modifier, inside,
// outside and far outside the window, right presses in the middle of drags,
// timer ticks and File > New. After every event the square widgets stand
// where the game says and every piece is still a turn or mirror of itself.

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QWindow>

#include <random>

#include "qt/square.h"
#include "qt/frmPuzzle.h"
#include "qt/twips.h"
#include "qtapp.h"

using namespace morvane;

namespace {

// The eight orientations of a piece's starting shape, square by square.
std::vector<PieceShape> orientations(int piece)
{
    std::vector<PieceShape> result;
    PieceShape s = kStartingShapes[static_cast<std::size_t>(piece)];
    for (int turn = 0; turn < 4; ++turn) {
        result.push_back(s);
        result.push_back(reoriented(s, Reorientation::MirrorLeftToRight));
        s = reoriented(s, Reorientation::QuarterTurn);
    }
    return result;
}

::testing::AssertionResult consistent(const frmPuzzle& window, const std::vector<std::vector<PieceShape>>& allowed)
{
    for (int i = 0; i < kSquareCount; ++i) {
        const SquarePosition s = window.puzzle().cell(i);
        const QPoint expected(twipsToPixels(s.left), twipsToPixels(s.top));
        if (window.cell(i)->pos() != expected)
            return ::testing::AssertionFailure() << "square " << i << " widget is not where the game has it";
    }
    for (int p = 0; p < kPieceCount; ++p) {
        const auto& shapes = allowed[static_cast<std::size_t>(p)];
        if (std::find(shapes.begin(), shapes.end(), window.puzzle().tables().shape(p)) == shapes.end())
            return ::testing::AssertionFailure() << "piece " << p << " is no longer its own shape";
    }
    return ::testing::AssertionSuccess();
}

// QTest warns about every event it sends outside the window; here that is
// the point, so those warnings are dropped and everything else passes on.
QtMessageHandler previousHandler = nullptr;
void quietOutsideEvents(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("occurs outside target window")))
        previousHandler(type, context, message);
}

} // namespace

TEST(Soak, RandomMouseStreamThroughTheRealWindow)
{
    previousHandler = qInstallMessageHandler(quietOutsideEvents);
    Desktop desktop = systemDesktop();
    desktop.endProgram = [] {};
    frmPuzzle window(desktop);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);

    std::vector<std::vector<PieceShape>> allowed;
    for (int p = 0; p < kPieceCount; ++p)
        allowed.push_back(orientations(p));

    std::mt19937 random(7121);
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const auto anyModifiers = [&] {
        Qt::KeyboardModifiers m;
        if (chance(25)) m |= Qt::ShiftModifier;
        if (chance(25)) m |= Qt::ControlModifier;
        if (chance(15)) m |= Qt::AltModifier;
        return m;
    };
    const auto anyButton = [&] {
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        return buttons[random() % 4];
    };
    // Points in the window's coordinates: on a square, anywhere in the window,
    // just outside it, or far beyond any screen.
    const auto anyPoint = [&]() -> QPoint {
        switch (random() % 4) {
        case 0: {
            const Square* c = window.cell(static_cast<int>(random() % kSquareCount));
            return c->mapTo(&window, QPoint(static_cast<int>(random() % 16), static_cast<int>(random() % 16)));
        }
        case 1: return {static_cast<int>(random() % 500), static_cast<int>(random() % 420)};
        case 2: return {static_cast<int>(random() % 900) - 200, static_cast<int>(random() % 800) - 200};
        default: return {static_cast<int>(random() % 8000) - 4000, static_cast<int>(random() % 8000) - 4000};
        }
    };

    Qt::MouseButtons held;
    int events = 0, movedSteps = 0, turnedSteps = 0;
    for (int n = 0; n < 20000; ++n) {
        const Positions before = window.puzzle().cell();
        const ShapeTable tablesBefore = window.puzzle().tables();
        const int kind = static_cast<int>(random() % 100);
        if (kind < 2) {
            window.mnuNew()->trigger();
        } else if (kind < 6) {
            window.Timer1().timeout({});
        } else if (kind < 30) {
            const Qt::MouseButton b = held ? (chance(50) ? Qt::RightButton : anyButton()) : anyButton();
            if (held & b)
                continue;
            // A press lands on a square, or mid-drag anywhere at all.
            const Square* c = window.cell(static_cast<int>(random() % kSquareCount));
            const QPoint at = held ? anyPoint() : c->mapTo(&window, QPoint(8, 8));
            QTest::mousePress(handle, b, anyModifiers(), at);
            held |= b;
            ++events;
        } else if (kind < 50 && held) {
            const Qt::MouseButton b = (held & Qt::LeftButton) && chance(70) ? Qt::LeftButton
                                      : (held & Qt::RightButton)            ? Qt::RightButton
                                      : (held & Qt::MiddleButton)           ? Qt::MiddleButton
                                                                            : Qt::LeftButton;
            if (!(held & b))
                continue;
            QTest::mouseRelease(handle, b, anyModifiers(), anyPoint());
            held &= ~b;
            ++events;
        } else {
            QTest::mouseMove(handle, anyPoint());
            ++events;
        }
        ASSERT_TRUE(consistent(window, allowed)) << "after step " << n;
        movedSteps += window.puzzle().cell() != before;
        turnedSteps += window.puzzle().tables() != tablesBefore;
    }
    // The stream really played: many drags and many turns went through.
    EXPECT_GT(events, 14000);
    EXPECT_GT(movedSteps, 2000);
    EXPECT_GT(turnedSteps, 400);
    // The game is still playable afterwards.
    window.mnuNew()->trigger();
    EXPECT_EQ(window.puzzle().cell(), Puzzle().cell());
    EXPECT_TRUE(consistent(window, allowed));
    qInstallMessageHandler(previousHandler);
}
