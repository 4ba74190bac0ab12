#pragma once

// The game window: the board, the twelve pieces, the instructions, the
// seconds counter, the help control and the File menu. It keeps no rules of
// its own: every event goes to its PuzzleController, and the window shows
// what the controller tells it to.

#include <windows.h>

#include <array>
#include <memory>

#include "game/forms.h"
#include "game/puzzlecontroller.h"
#include "win32/controls.h"
#include "win32/desktop.h"
#include "win32/helppage.h"
#include "win32/square.h"

namespace morvane::win32 {

// The commands of the game window: its menu entries and its two keys.
enum Command : WORD { kNewCommand = 100, kExitCommand, kSaveCommand, kLoadCommand };

class frmPuzzle final : public PuzzleFrontEnd {
public:
    // Makes and loads the window; it stays hidden until shown.
    explicit frmPuzzle(Desktop desktop = systemDesktop());
    ~frmPuzzle();
    frmPuzzle(const frmPuzzle&) = delete;
    frmPuzzle& operator=(const frmPuzzle&) = delete;

    // The program's one game window, made and loaded on first use.
    static frmPuzzle& instance();
    // The game window if it has been made, or nothing.
    static frmPuzzle* loaded();

    HWND window() const { return window_; }
    void Show();
    // Ctrl+S and Ctrl+O, ahead of the window's other keys, and the help
    // page's Tab, Enter and Escape.
    bool translateKeys(MSG& message) const;

    const Puzzle& puzzle() const { return controller_.puzzle(); }
    HWND cell(int index) const { return cellWindows_.at(static_cast<std::size_t>(index)); }
    HWND control(const forms::Control& control) const;
    HWND helpPage() const { return helpPage_.window(); }
    int dpi() const { return dpi_; }

    void placeSquare(int index, SquarePosition at) override;
    void showCounter(std::string_view text) override;
    void beep() override;
    std::filesystem::path chooseFileToOpen() override;
    std::filesystem::path chooseFileToSave() override;
    void reportMessage(std::string_view text) override;
    void showHelpPage(const HelpPage& page) override;
    void endProgram() override;

private:
    static std::unique_ptr<frmPuzzle>& theInstance();
    friend LRESULT CALLBACK formWindowProc<frmPuzzle>(HWND, UINT, WPARAM, LPARAM);
    friend void destroyFormWindow<frmPuzzle>(frmPuzzle&);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void buildControls();
    void layOut();
    void paintBoard();

    Desktop desktop_;
    PuzzleController controller_{*this};
    HWND window_ = nullptr;
    int dpi_ = 96;
    std::array<Square, kSquareCount> cell_{};
    std::array<HWND, kSquareCount> cellWindows_{};
    std::array<HWND, forms::kPuzzleControls.size()> controls_{};  // in the order of the definition
    HACCEL keys_ = nullptr;
    std::array<FontHandle, forms::kPuzzleControls.size()> fonts_;  // each control's own, outside a group
    FontHandle instructionsFont_;
    FontHandle counterFont_;
    HelpPageWindow helpPage_;
};

} // namespace morvane::win32
