#include "qt/program.h"

#include <QApplication>
#include <QIcon>

#include "game/forms.h"
#include "game/version.h"
#include "qt/controls.h"

namespace morvane {

void describeProgram()
{
    QApplication::setApplicationName(qtText(forms::kProgramTitle));
    QApplication::setApplicationVersion(qtText(kVersionText));
    QApplication::setOrganizationName(qtText(forms::kProgramTitle));
    // The installed desktop file's name, which Wayland desktops match the
    // window against for its icon and its entry in the menu.
    QApplication::setDesktopFileName(qtText(kApplicationId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/morvane.ico")));
}

} // namespace morvane
