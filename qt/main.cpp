#include <QApplication>

#include "qt/frmSplash.h"
#include "qt/program.h"

// The program opens with the splash window and nothing else; "&Continue" on
// it opens the game. The splash loads as it is made, so its layout is set
// before it is first on screen.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    morvane::describeProgram();
    auto* splash = new morvane::frmSplash;
    splash->show();
    return QApplication::exec();
}
