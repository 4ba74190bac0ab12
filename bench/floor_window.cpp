// The floors the benchmarks hold the game against: the least Qt Widgets
// programs that put comparable windows on screen.
//
//   floor-window empty   a plain white window of the splash window's size
//   floor-window sixty   a window with a menu bar, a label counting seconds on
//                        its own 1 s timer, and 60 small coloured squares that
//                        a drag moves five at a time; under MORVANE_PROBE=enter
//                        it opens from a button window as the game does

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <cstring>

#include "bench/probe.h"

namespace {

class Square : public QWidget {
public:
    Square(int index, QWidget* parent) : QWidget(parent), index_(index) { resize(16, 16); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter(this).fillRect(event->rect(), QColor::fromHsv(index_ / 5 * 30, 255, 160));
    }
    void mousePressEvent(QMouseEvent* event) override { grab_ = event->position(); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint by = (event->position() - grab_).toPoint();
        for (QObject* sibling : parent()->children()) {
            auto* square = dynamic_cast<Square*>(sibling);
            if (square && square->index_ / 5 == index_ / 5)
                square->move(square->pos() + by);
        }
    }

private:
    int index_;
    QPointF grab_;
};

QWidget* sixtySquareWindow()
{
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("New"));
    auto* client = new QWidget(window);
    client->setFixedSize(487, 383);
    client->setAutoFillBackground(true);
    QPalette white = client->palette();
    white.setColor(QPalette::Window, Qt::white);
    client->setPalette(white);
    window->setCentralWidget(client);

    auto* seconds = new QLabel(QStringLiteral("0"), client);
    seconds->setGeometry(424, 24, 49, 17);
    auto* timer = new QTimer(window);
    QObject::connect(timer, &QTimer::timeout, seconds,
                     [seconds] { seconds->setText(QString::number(seconds->text().toInt() + 1)); });
    timer->start(1000);

    for (int i = 0; i < 60; ++i)
        (new Square(i, client))->move(27 + (i / 5) % 6 * 80 + i % 5 * 16, 160 + i / 30 * 160);
    return window;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool sixty = argc > 1 && std::strcmp(argv[1], "sixty") == 0;
    const char* mode = std::getenv("MORVANE_PROBE");

    if (sixty && mode && std::strcmp(mode, "enter") == 0) {
        auto* first = new QWidget;
        first->setAttribute(Qt::WA_DeleteOnClose);
        first->setFixedSize(507, 159);
        auto* button = new QPushButton(QStringLiteral("&Continue"), first);
        button->setGeometry(8, 120, 489, 33);
        button->setAutoDefault(true);
        button->setFocus();
        QObject::connect(button, &QPushButton::clicked, first, [first] {
            sixtySquareWindow()->show();
            first->close();
        });
        morvane::bench::installProbe(first, true);
        first->show();
        return QApplication::exec();
    }

    QWidget* window = sixty ? sixtySquareWindow() : new QWidget;
    if (!sixty) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setFixedSize(507, 159);
        window->setAutoFillBackground(true);
        QPalette white = window->palette();
        white.setColor(QPalette::Window, Qt::white);
        window->setPalette(white);
    }
    morvane::bench::installProbe(window, false);
    window->show();
    return QApplication::exec();
}
