// One drag step through the real widgets: a mouse move delivered to a pressed
// square, the piece's five widgets moved, and the window repainted. The floor
// is a bare window whose pressed child moves five plain child widgets the
// same way. Runs are interleaved; medians are printed in microseconds.
//
// Output, one figure a line: name <TAB> ours <TAB> floor <TAB> unit

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

#include "qt/square.h"
#include "qt/frmPuzzle.h"

namespace {

constexpr int kSteps = 2000;
constexpr int kRuns = 7;

// The floor: five plain squares; pressing one and moving drags all five.
class BareWindow : public QWidget {
public:
    BareWindow()
    {
        resize(487, 383);
        for (int i = 0; i < 5; ++i) {
            squares[static_cast<std::size_t>(i)] = new Square(this);
            squares[static_cast<std::size_t>(i)]->setGeometry(27 + 16 * i, 160, 16, 16);
        }
    }

    class Square : public QWidget {
    public:
        explicit Square(BareWindow* owner) : QWidget(owner), owner_(owner) { setAttribute(Qt::WA_OpaquePaintEvent); }

    protected:
        void paintEvent(QPaintEvent* e) override { QPainter(this).fillRect(e->rect(), Qt::darkRed); }
        void mousePressEvent(QMouseEvent* e) override { grab_ = e->position(); }
        void mouseMoveEvent(QMouseEvent* e) override
        {
            const QPoint by = (e->position() - grab_).toPoint();
            for (QWidget* s : owner_->squares)
                s->move(s->pos() + by);
        }

    private:
        BareWindow* owner_;
        QPointF grab_;
    };

    std::array<QWidget*, 5> squares{};
};

// Microseconds per step: press, then kSteps moves back and forth, each one
// followed by the repaint it caused.
double timeDrag(QWidget* pressed)
{
    QTest::mousePress(pressed, Qt::LeftButton, {}, QPoint(8, 8));
    QCoreApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    for (int step = 0; step < kSteps; ++step) {
        QTest::mouseMove(pressed, QPoint(step % 2 ? 5 : 11, step % 2 ? 6 : 10));
        QCoreApplication::processEvents();
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    QTest::mouseRelease(pressed, Qt::LeftButton, {}, QPoint(8, 8));
    QCoreApplication::processEvents();
    return std::chrono::duration<double, std::micro>(elapsed).count() / kSteps;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    morvane::frmPuzzle game;
    game.show();
    BareWindow bare;
    bare.show();
    if (!QTest::qWaitForWindowExposed(&game) || !QTest::qWaitForWindowExposed(&bare))
        return 1;

    std::vector<double> ours, floor;
    for (int run = 0; run < kRuns; ++run) {
        ours.push_back(timeDrag(game.findChild<QWidget*>(QStringLiteral("cell27"))));
        floor.push_back(timeDrag(bare.squares[2]));
    }
    std::printf("drag step\t%.2f\t%.2f\tus\n", median(ours), median(floor));
    return 0;
}
