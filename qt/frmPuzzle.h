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

class QAction;
class QLabel;
class QPushButton;

namespace morvane {

class Square;

class frmPuzzle : public QMainWindow {
    Q_OBJECT
public:
    explicit frmPuzzle(Desktop desktop = systemDesktop());
    ~frmPuzzle() override;

    const Puzzle& puzzle() const { return controller_.puzzle(); }
    const PuzzleController& controller() const { return controller_; }
    QWidget* clientArea() const { return client_; }
    Square* cell(int index) const;
    QLabel* lblTime() const { return lblTime_; }
    QPushButton* helpControl() const { return TOLMHelpControl1_; }
    QDialog* helpPage() const { return helpPage_.data(); }
    QTimer& Timer1() { return Timer1_; }
    QAction* mnuNew() const { return mnuNew_; }
    QAction* mnuExit() const { return mnuExit_; }
    QAction* saveAction() const { return save_; }
    QAction* loadAction() const { return load_; }

protected:
    void closeEvent(QCloseEvent* event) override;

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
    QPushButton* TOLMHelpControl1_ = nullptr;
    QPointer<QDialog> helpPage_;
    QTimer Timer1_;
    QAction* mnuNew_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* save_ = nullptr;
    QAction* load_ = nullptr;
};

} // namespace morvane
