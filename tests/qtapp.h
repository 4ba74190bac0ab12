#pragma once

// Widget tests share one QApplication. It lives for the run of the tests and
// goes before the program's own exit handlers, which Qt's globals need. They
// also share a desktop whose file chooser answers at once with a name the
// test holds.

#include <QApplication>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/puzzle.h"
#include "qt/desktop.h"
#include "qt/twips.h"

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
    desktop.reportMessage = [messages](QWidget*, const QString& text) { messages->append(text); };
    return desktop;
}

// A window's part by its name in the game ("lblTime", "cell17", ...).
template <typename Part = QWidget>
Part* partOf(const QObject& window, const QString& name)
{
    Part* part = window.findChild<Part*>(name);
    EXPECT_NE(part, nullptr) << name.toStdString();
    return part;
}

inline QWidget* cellOf(const QObject& window, int index)
{
    return partOf(window, QStringLiteral("cell%1").arg(index));
}

// Where each square is shown, in the client area's pixels.
inline std::vector<QPoint> shownSquares(const QObject& window)
{
    std::vector<QPoint> shown;
    for (int i = 0; i < morvane::kSquareCount; ++i)
        shown.push_back(cellOf(window, i)->pos());
    return shown;
}

// The squares are where the game has put them, on the nearest pixels.
inline void expectShownAt(const QObject& window, const morvane::Positions& positions)
{
    for (int i = 0; i < morvane::kSquareCount; ++i) {
        const morvane::SquarePosition s = positions[static_cast<std::size_t>(i)];
        EXPECT_EQ(cellOf(window, i)->pos(), QPoint(morvane::twipsToPixels(s.left), morvane::twipsToPixels(s.top)))
            << "square " << i;
    }
}
