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

#include "game/puzzlecontroller.h"
#include "qt/desktop.h"

class QAction;
class QLabel;
class QPushButton;

namespace morvane {

class Square;

class frmPuzzle : public QMainWindow, private PuzzleFrontEnd {
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
    QDialog* helpPage() const { return helpPage_; }
    QTimer& Timer1() { return Timer1_; }
    QAction* mnuNew() const { return mnuNew_; }
    QAction* mnuExit() const { return mnuExit_; }
    QAction* saveAction() const { return save_; }
    QAction* loadAction() const { return load_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();

    void placeSquare(int index, SquarePosition at) override;
    void showCounter(std::string_view text) override;
    void beep() override;
    std::filesystem::path chooseFileToOpen() override;
    std::filesystem::path chooseFileToSave() override;
    void reportMessage(std::string_view text) override;
    void showHelpPage(const HelpPage& page) override;
    void endProgram() override;

    Desktop desktop_;
    PuzzleController controller_{*this};
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
