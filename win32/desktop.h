#pragma once

// What the two windows borrow from the desktop: a file-name chooser, a
// message box, a browser, today's date, the order of the player's short
// dates and the end of the program. Each sits behind one seam, so a test
// answers in its place and never waits on a modal window, opens a browser or
// ends the test.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "game/partnerdate.h"

namespace morvane::win32 {

// The game's texts are UTF-8; the system's are UTF-16.
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);

// A system library that the program loads when it is first needed, not while
// the splash is on its way to the screen, looked for among the system's
// libraries only; and a call into it, or nothing where either is missing.
HMODULE systemLibrary(const wchar_t* name);
template <typename Call>
Call systemCall(HMODULE library, const char* name)
{
    return library ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

struct Desktop {
    // The system's open and save forms, offering text files first: the
    // chosen file's name, or an empty name when the player cancelled.
    std::function<std::wstring(HWND owner)> chooseFileToOpen;
    std::function<std::wstring(HWND owner)> chooseFileToSave;
    // A box with one OK button, no icon and the program's title.
    std::function<void(HWND owner, std::wstring_view text)> reportMessage;
    // Hands a web address to the shell; nothing comes back.
    std::function<void(HWND owner, std::wstring_view url)> openAddress;
    std::function<std::chrono::year_month_day()> today;
    std::function<DateOrder()> dateOrder;
    // Leaves the program's event loop at once, with status 0.
    std::function<void()> endProgram;
};

Desktop systemDesktop();

} // namespace morvane::win32
