#include <QApplication>

#include "qt/frmSplash.h"
#include "qt/program.h"
#include "bench/probe.h"

// The program as it starts for a player, with the benchmark's probe riding
// on its splash window; the shipped program carries no probe.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    morvane::describeProgram();
    auto* splash = new morvane::frmSplash;
    morvane::bench::installProbe(splash, true);
    splash->show();
    return QApplication::exec();
}
