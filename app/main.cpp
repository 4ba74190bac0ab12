#include <QApplication>

#include "game/frmPuzzle.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setApplicationVersion(QStringLiteral("2.00"));
    morvane::frmPuzzle game;
    game.show();
    return QApplication::exec();
}
