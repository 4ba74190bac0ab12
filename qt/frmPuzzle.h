#pragma once

// The game window: the board, the twelve pieces, the instructions, the seconds
// counter and the File menu. It keeps no rules of its own; every event goes to
// the Puzzle and the window then shows what changed.

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

#include "qt/desktop.h"
#include "game/puzzle.h"

class QAction;
class QLabel;
class QMenu;

namespace morvane {

class Square;
class HelpControl;

class frmPuzzle : public QMainWindow {
    Q_OBJECT
public:
    explicit frmPuzzle(QWidget* parent = nullptr);
    ~frmPuzzle() override;

    const Puzzle& puzzle() const { return puzzle_; }
    QWidget* clientArea() const { return client_; }
    Square* cell(int index) const;
    QLabel* lblTime() const { return lblTime_; }
    HelpControl* helpControl() const { return TOLMHelpControl1_; }
    QTimer& Timer1() { return Timer1_; }
    QAction* mnuNew() const { return mnuNew_; }
    QAction* mnuExit() const { return mnuExit_; }
    QAction* saveAction() const { return save_; }
    QAction* loadAction() const { return load_; }

    // Seams for tests: the file chooser, the failure reporter and what ends the program.
    void setCommonDialog(std::unique_ptr<CommonDialog> dialog);
    void setMessageReporter(MessageReporter reporter);
    void setProgramExit(std::function<void()> exit);

    void SaveGame();
    void LoadGame();

    void cell_MouseDown(int index, int button, int shift, float x, float y);
    void cell_MouseMove(int index, int button, int shift, float x, float y);
    void cell_MouseUp(int index, int button, int shift, float x, float y);

    void Timer1_Timer();
    void mnuNew_Click();
    void mnuExit_Click();

private:
    void Form_Load();
    void NewGame();

    void buildControls();
    void showPiece(int piece);
    void showAll();
    void react(MoveOutcome outcome, int index);

    Puzzle puzzle_;
    QWidget* client_ = nullptr;
    std::array<Square*, kSquareCount> cell_{};
    QLabel* lblTime_ = nullptr;
    HelpControl* TOLMHelpControl1_ = nullptr;
    QTimer Timer1_;
    QMenu* mnuFile_ = nullptr;
    QAction* mnuNew_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* save_ = nullptr;
    QAction* load_ = nullptr;

    std::unique_ptr<CommonDialog> CommonDialog_;
    MessageReporter report_;
    std::function<void()> exitProgram_;
};

} // namespace morvane
