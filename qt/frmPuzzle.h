#pragma once

// The game window on Qt: the board drawn on a white client area, the 60
// square widgets, the labels, the Help button and the File menu. Each event
// is one call into the window's controller, and the controller's requests
// are one Qt call or a few; the game itself lives in PuzzleController.

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>

#include "game/puzzlecontroller.h"
#include "qt/desktop.h"

class QLabel;
class QPushButton;

namespace morvane {

class Square;

// Its parts carry their names in the game as object names: "lblTime",
// "TOLMHelpControl1", "Timer1", "mnuNew", "mnuExit", "helpPage", and each
// square "cell" with its index ("cell0" to "cell59").
class frmPuzzle : public QMainWindow {
    Q_OBJECT
public:
    explicit frmPuzzle(Desktop desktop = systemDesktop());
    ~frmPuzzle() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the controller asks of this window, answered with Qt's calls.
    class FrontEnd;

    void buildControls();

    Desktop desktop_;
    std::unique_ptr<FrontEnd> frontEnd_;
    PuzzleController controller_;
    QWidget* client_ = nullptr;
    std::array<Square*, kSquareCount> cell_{};
    QLabel* lblTime_ = nullptr;
    QPointer<QDialog> helpPage_;
    QTimer* Timer1_ = nullptr;
};

} // namespace morvane
