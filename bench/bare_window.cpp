// The floor for the start-up benchmark: the least a Qt Widgets program does to
// put a white window of the splash window's size on screen.

#include <QApplication>
#include <QWidget>

#include "bench/firstpaint.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(507, 159);
    QPalette white = window.palette();
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
    window.setAutoFillBackground(true);
    morvane::bench::reportFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
