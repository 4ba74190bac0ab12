#pragma once

// What the two windows borrow from the desktop: a file-name chooser, a
// message box, a browser, today's date and the order of the player's short
// dates. Each sits behind a small seam, so a test answers in its place and
// never waits on a modal window or opens a browser.

#include <windows.h>

#include <chrono>
#include <filesystem>
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

// The chosen file's path, or an empty path when the player cancelled.
struct CommonDialog {
    std::function<std::filesystem::path(HWND owner)> ShowOpen;
    std::function<std::filesystem::path(HWND owner)> ShowSave;
};
// The system's open and save forms, offering text files first.
CommonDialog systemFileDialog();

// Shows a failure to the player: one OK button, no icon, the program's title.
using MessageReporter = std::function<void(HWND owner, std::wstring_view text)>;
MessageReporter messageBoxReporter();

// Hands a web address to the shell; nothing comes back.
using UrlOpener = std::function<void(HWND owner, std::wstring_view url)>;
UrlOpener shellUrlOpener();

struct SplashDesktop {
    std::function<std::chrono::year_month_day()> today;
    std::function<DateOrder()> dateOrder;
    UrlOpener openUrl;
};
// The local date, the user's short-date pattern, the shell.
SplashDesktop systemDesktop();

} // namespace morvane::win32
