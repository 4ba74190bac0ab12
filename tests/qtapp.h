#pragma once

// Widget tests share one QApplication. It lives for the run of the tests and
// goes before the program's own exit handlers, which Qt's globals need. They
// also share a file chooser that answers at once with a name the test holds.

#include <QApplication>

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

// Answers both the open and the save form with whatever *path holds when asked.
class ChosenFile : public morvane::CommonDialog {
public:
    explicit ChosenFile(const QString* path) : path_(path) {}
    QString ShowOpen(QWidget*) override { return *path_; }
    QString ShowSave(QWidget*) override { return *path_; }

private:
    const QString* path_;
};
