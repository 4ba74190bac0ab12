#include <windows.h>

#include <cstdlib>
#include <memory>

#include "win32/frmPuzzle.h"
#include "win32/frmSplash.h"

// The program opens with the splash window and nothing else; "&Continue" on
// it opens the game, which lasts as long as the program. The splash loads as
// it is made, so its layout is set before it is first on screen. No command
// line is read.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::unique_ptr<morvane::win32::frmPuzzle> game;
    morvane::win32::frmSplash splash(morvane::win32::systemDesktop(), [&game] {
        game = std::make_unique<morvane::win32::frmPuzzle>(morvane::win32::systemDesktop());
        game->Show();
    });
    splash.Show();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if ((game && game->translateKeys(message)) || splash.translateKeys(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// An exception nothing catches ends the program. The library's own handler
// would first write the exception's name to the standard error, which a
// windowed program does not have, and it brings a whole C++ name demangler
// into the program to do so.
namespace __gnu_cxx {
void __verbose_terminate_handler()  // NOLINT(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
{
    std::abort();
}
} // namespace __gnu_cxx
