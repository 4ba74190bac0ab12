#pragma once

// The game window: the board, the twelve pieces, the instructions, the
// seconds counter and the File menu. It keeps no rules of its own; every
// event goes to the Puzzle and the window then shows what changed.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "game/forms.h"
#include "game/puzzle.h"
#include "win32/square.h"
#include "win32/controls.h"
#include "win32/desktop.h"
#include "win32/helpcontrol.h"

namespace morvane::win32 {

// The commands of the game window: its menu entries and its two keys.
enum Command : WORD { kNewCommand = 100, kExitCommand, kSaveCommand, kLoadCommand };

class frmPuzzle {
public:
    // Makes and loads the window; it stays hidden until shown.
    frmPuzzle();
    ~frmPuzzle();
    frmPuzzle(const frmPuzzle&) = delete;
    frmPuzzle& operator=(const frmPuzzle&) = delete;

    // The program's one game window, made and loaded on first use.
    static frmPuzzle& instance();
    // The game window if it has been made, or nothing.
    static frmPuzzle* loaded();

    HWND window() const { return window_; }
    void Show();
    // Ctrl+S and Ctrl+O, ahead of the window's other keys.
    bool translateAccelerator(MSG& message) const;

    const Puzzle& puzzle() const { return puzzle_; }
    HWND cell(int index) const { return cellWindows_.at(static_cast<std::size_t>(index)); }
    HWND lblTime() const { return lblTime_; }
    HelpControl& helpControl() { return TOLMHelpControl1_; }
    int dpi() const { return dpi_; }

    // Seams for tests: the file chooser, the failure reporter and what ends the program.
    void setCommonDialog(CommonDialog dialog) { CommonDialog_ = std::move(dialog); }
    void setMessageReporter(MessageReporter reporter) { report_ = std::move(reporter); }
    void setProgramExit(std::function<void()> exit) { exitProgram_ = std::move(exit); }

    void SaveGame();
    void LoadGame();

    void cell_MouseDown(int index, int button, int shift, float x, float y);
    void cell_MouseMove(int index, int button, int shift, float x, float y);
    void cell_MouseUp(int index, int button, int shift, float x, float y);

    void Timer1_Timer();
    void mnuNew_Click();
    void mnuExit_Click();

private:
    static std::unique_ptr<frmPuzzle>& theInstance();
    friend LRESULT CALLBACK formWindowProc<frmPuzzle>(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void buildControls();
    void Form_Load();
    void NewGame();
    void layOut();
    HWND controlOf(const forms::Control& control) const;
    std::vector<HWND> controlsOf(std::span<const forms::Control* const> group) const;
    void onDpiChanged(int dpi, const RECT& suggested);
    void paintBoard();

    void showPiece(int piece);
    void showAll();
    void react(MoveOutcome outcome, int index);

    Puzzle puzzle_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    std::array<Square, kSquareCount> cell_{};
    std::array<HWND, kSquareCount> cellWindows_{};
    std::array<HWND, forms::kPuzzleControls.size()> controls_{};  // in the order of the definition
    HWND lblTime_ = nullptr;
    HelpControl TOLMHelpControl1_;
    HACCEL keys_ = nullptr;
    FontHandle titleFont_;
    FontHandle instructionsFont_;
    FontHandle counterFont_;
    FontHandle helpFont_;

    CommonDialog CommonDialog_;
    MessageReporter report_;
    std::function<void()> exitProgram_;
};

} // namespace morvane::win32
