#pragma once

// Widget tests share one QApplication. It lives for the run of the tests and
// goes before the program's own exit handlers, which Qt's globals need. They
// also share a desktop whose file chooser answers at once with a name the
// test holds.

#include <QApplication>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

#include "qt/desktop.h"

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "morvane-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// A desktop whose open and save forms answer at once with whatever *chosen
// holds when asked, and whose message boxes land in *messages.
inline morvane::Desktop answeringDesktop(const QString* chosen, QStringList* messages)
{
    morvane::Desktop desktop = morvane::systemDesktop();
    desktop.chooseFileToOpen = [chosen](QWidget*) { return *chosen; };
    desktop.chooseFileToSave = [chosen](QWidget*) { return *chosen; };
    desktop.report = [messages](QWidget*, const QString& text) { messages->append(text); };
    return desktop;
}
