#pragma once

// What the two windows borrow from the desktop: the open and save forms, a
// message box, a browser, today's date, the order of the player's short
// dates, and the end of the event loop. Each is one seam, so a test answers
// in its place and never waits on a modal window or opens a browser.

#include <QString>
#include <QWidget>

#include <chrono>
#include <filesystem>
#include <functional>

#include "game/partnerdate.h"

namespace morvane {

struct Desktop {
    // What the splash asks: the date, the locale's order of day and month,
    // and a browser.
    std::function<std::chrono::year_month_day()> today;
    std::function<DateOrder()> dateOrder;
    std::function<void(WId owner, const QString& url)> openAddress;
    // What the game window asks: the chosen file's name, or an empty text
    // when the player cancelled; and a box with one OK button, no icon and
    // the program's title.
    std::function<QString(QWidget* owner)> chooseFileToOpen;
    std::function<QString(QWidget* owner)> chooseFileToSave;
    std::function<void(QWidget* owner, const QString& text)> reportMessage;
    // What both ask: leave the event loop at once.
    std::function<void()> endProgram;
};

// QFileDialog offering text files first, QMessageBox, QDesktopServices, the
// system clock, QLocale::system()'s short date, and QCoreApplication::exit.
Desktop systemDesktop();

// The path a chosen name stands for, in the file system's own encoding.
std::filesystem::path filePath(const QString& name);

} // namespace morvane
