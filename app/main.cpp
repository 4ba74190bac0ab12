#include <QApplication>
#include <QIcon>

#include "app/frmSplash.h"

#ifdef MORVANE_BENCH_PROBE
#include "bench/probe.h"
#endif

// The program opens with the splash window and nothing else; "&Continue" on
// it opens the game. The splash loads as it is made, so its layout is set
// before it is first on screen.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setApplicationVersion(QStringLiteral("2.00"));
    QApplication::setOrganizationName(QStringLiteral("Morvane"));
    // The installed desktop file's name, which Wayland desktops match the
    // window against for its icon and its entry in the menu.
    QApplication::setDesktopFileName(QStringLiteral("org.morvane.Morvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/morvane.ico")));

    auto* splash = new morvane::frmSplash;
#ifdef MORVANE_BENCH_PROBE
    morvane::bench::installProbe(splash, true);
#endif
    splash->show();
    return QApplication::exec();
}
