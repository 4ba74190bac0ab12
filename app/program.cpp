#include "app/program.h"

#include <QApplication>
#include <QIcon>

namespace morvane {

void describeProgram()
{
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setApplicationVersion(QStringLiteral("2.00"));
    QApplication::setOrganizationName(QStringLiteral("Morvane"));
    // The installed desktop file's name, which Wayland desktops match the
    // window against for its icon and its entry in the menu.
    QApplication::setDesktopFileName(QStringLiteral("org.morvane.Morvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/morvane.ico")));
}

} // namespace morvane
