#include "qt/desktop.h"

#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QUrl>

#include "qt/controls.h"

namespace morvane {

Desktop systemDesktop()
{
    static const QString filter = qtText(forms::kPositionFileFilterName) + " (" + qtText(forms::kPositionFilePattern)
                                  + ");;All files (*)";
    return {
        .today =
            [] {
                const QDate today = QDate::currentDate();
                return std::chrono::year_month_day{std::chrono::year{today.year()},
                                                   std::chrono::month{static_cast<unsigned>(today.month())},
                                                   std::chrono::day{static_cast<unsigned>(today.day())}};
            },
        .dateOrder = [] { return dateOrderOf(QLocale::system().dateFormat(QLocale::ShortFormat).toStdString()); },
        // The desktop reports failure in its own way, if at all; the splash
        // stays as it is whatever happens.
        .openAddress = [](WId, const QString& url) { QDesktopServices::openUrl(QUrl(url)); },
        .chooseFileToOpen = [](QWidget* owner) { return QFileDialog::getOpenFileName(owner, {}, {}, filter); },
        .chooseFileToSave = [](QWidget* owner) { return QFileDialog::getSaveFileName(owner, {}, {}, filter); },
        .reportMessage =
            [](QWidget* owner, const QString& text) {
                QMessageBox box(QMessageBox::NoIcon, qtText(forms::kProgramTitle), text, QMessageBox::Ok, owner);
                box.exec();
            },
        .endProgram = [] { QCoreApplication::exit(0); },
    };
}

std::filesystem::path filePath(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

} // namespace morvane
