#include <windows.h>

#include "win32/frmPuzzle.h"
#include "win32/frmSplash.h"

// The program opens with the splash window and nothing else; "&Continue" on
// it opens the game. The splash loads as it is made, so its layout is set
// before it is first on screen. No command line is read.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    morvane::win32::frmSplash splash;
    splash.Show();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        morvane::win32::frmPuzzle* game = morvane::win32::frmPuzzle::loaded();
        if (game && game->translateKeys(message))
            continue;
        if (splash.isDialogMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
