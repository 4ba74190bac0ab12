// A long, seeded stream of real mouse events through the game window:
// presses, moves and releases of every button with every modifier, inside,
// outside and far outside the window, right presses in the middle of drags,
// timer ticks and File > New. Every so often the position saved with Ctrl+S
// shows that the square widgets stand where the game has the squares.

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QWindow>

#include <array>
#include <random>
#include <sstream>

#include "qt/frmPuzzle.h"
#include "qt/twips.h"
#include "qtapp.h"
#include "support.h"

using namespace morvane;

namespace {

// Each piece as its widgets show it: every square's offset from square 0.
std::vector<std::array<QPoint, kSquaresPerPiece>> shownShapes(const frmPuzzle& window)
{
    std::vector<std::array<QPoint, kSquaresPerPiece>> shapes;
    for (int p = 0; p < kPieceCount; ++p) {
        const QPoint origin = cellOf(window, firstSquareOf(p))->pos();
        std::array<QPoint, kSquaresPerPiece> shape{};
        for (int k = 0; k < kSquaresPerPiece; ++k)
            shape[static_cast<std::size_t>(k)] = cellOf(window, firstSquareOf(p) + k)->pos() - origin;
        shapes.push_back(shape);
    }
    return shapes;
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
    QTemporaryDir dir;
    const QString chosen = dir.filePath("soak.txt");
    QStringList messages;
    Desktop desktop = answeringDesktop(&chosen, &messages);
    desktop.endProgram = [] {};
    frmPuzzle window(desktop);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);

    // Read as written, though a load would refuse a Left beyond 16 bits.
    const auto expectShownAsSaved = [&] {
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        std::istringstream saved(morvane::testing::fileContents(filePath(chosen)));
        Positions cell{};
        for (SquarePosition& s : cell)
            saved >> s.top >> s.left;
        ASSERT_TRUE(saved);
        expectShownAt(window, cell);
    };
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
            const QWidget* c = cellOf(window, static_cast<int>(random() % kSquareCount));
            return c->mapTo(&window, QPoint(static_cast<int>(random() % 16), static_cast<int>(random() % 16)));
        }
        case 1: return {static_cast<int>(random() % 500), static_cast<int>(random() % 420)};
        case 2: return {static_cast<int>(random() % 900) - 200, static_cast<int>(random() % 800) - 200};
        default: return {static_cast<int>(random() % 8000) - 4000, static_cast<int>(random() % 8000) - 4000};
        }
    };

    auto* mnuNew = partOf<QAction>(window, "mnuNew");
    auto* timer = partOf<QTimer>(window, "Timer1");
    Qt::MouseButtons held;
    auto shapes = shownShapes(window);
    int events = 0, movedSteps = 0, turnedSteps = 0;
    for (int n = 0; n < 20000; ++n) {
        const std::vector<QPoint> before = shownSquares(window);
        const int kind = static_cast<int>(random() % 100);
        if (kind < 2) {
            mnuNew->trigger();
        } else if (kind < 6) {
            timer->timeout({});
        } else if (kind < 30) {
            const Qt::MouseButton b = held ? (chance(50) ? Qt::RightButton : anyButton()) : anyButton();
            if (held & b)
                continue;
            // A press lands on a square, or mid-drag anywhere at all.
            const QWidget* c = cellOf(window, static_cast<int>(random() % kSquareCount));
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
        const auto shapesAfter = shownShapes(window);
        if (n % 1000 == 0) {
            expectShownAsSaved();
            ASSERT_FALSE(::testing::Test::HasFailure()) << "after step " << n;
        }
        movedSteps += shownSquares(window) != before;
        turnedSteps += shapesAfter != shapes;
        shapes = shapesAfter;
    }
    // The stream really played: many drags and many turns went through.
    EXPECT_GT(events, 14000);
    EXPECT_GT(movedSteps, 2000);
    EXPECT_GT(turnedSteps, 400);
    // The game is still playable afterwards.
    expectShownAsSaved();
    EXPECT_TRUE(messages.isEmpty());
    mnuNew->trigger();
    expectShownAt(window, Puzzle().cell());
    qInstallMessageHandler(previousHandler);
}
