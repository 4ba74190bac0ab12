#include "win32/desktop.h"

#include <commdlg.h>
#include <shellapi.h>

#include <array>

#include "game/forms.h"

namespace morvane::win32 {

std::wstring wide(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring out(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), static_cast<int>(out.size()));
    return out;
}

std::string narrow(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::string out(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

namespace {

// "Position files (*.txt)", then every file.
std::wstring fileFilter()
{
    const std::wstring pattern = wide(forms::kPositionFilePattern);
    std::wstring filter = wide(forms::kPositionFileFilterName) + L" (" + pattern + L")";
    filter += L'\0' + pattern + L'\0';
    filter += std::wstring(L"All files (*.*)") + L'\0' + L"*.*" + L'\0';
    return filter;
}

} // namespace

// The common dialogs' library is loaded when a player first saves or loads,
// and the shell's when an address is first opened; each brings two more
// libraries with it.
HMODULE systemLibrary(const wchar_t* name)
{
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

namespace {

using FileDialogCall = decltype(&GetOpenFileNameW);

FileDialogCall fileDialogCall(bool save)
{
    static const HMODULE library = systemLibrary(L"comdlg32.dll");
    return systemCall<FileDialogCall>(library, save ? "GetSaveFileNameW" : "GetOpenFileNameW");
}

std::wstring chooseFile(HWND owner, bool save)
{
    const FileDialogCall show = fileDialogCall(save);
    if (!show)
        return {};
    std::array<wchar_t, 32768> name{};
    const std::wstring filter = fileFilter();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY
                   | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = show(&dialog);
    return chosen ? std::wstring(name.data()) : std::wstring();
}

// The shell shows its own message if it cannot open the address, owned by
// the window that asked; the game shows nothing either way.
void openAddress(HWND owner, std::wstring_view url)
{
    static const HMODULE library = systemLibrary(L"shell32.dll");
    if (const auto open = systemCall<decltype(&ShellExecuteW)>(library, "ShellExecuteW"))
        open(owner, L"open", std::wstring(url).c_str(), L"", L"", SW_SHOWNORMAL);
}

std::chrono::year_month_day today()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return std::chrono::year_month_day{std::chrono::year{now.wYear}, std::chrono::month{now.wMonth},
                                       std::chrono::day{now.wDay}};
}

DateOrder dateOrder()
{
    std::array<wchar_t, 128> pattern{};
    const int n =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, pattern.data(), static_cast<int>(pattern.size()));
    return dateOrderOf(n > 0 ? narrow(pattern.data()) : std::string());
}

} // namespace

// The program ends the same way however it is asked to: the event loop is
// left and wWinMain returns, taking the windows with it.
Desktop systemDesktop()
{
    return {
        .chooseFileToOpen = [](HWND owner) { return chooseFile(owner, false); },
        .chooseFileToSave = [](HWND owner) { return chooseFile(owner, true); },
        .reportMessage =
            [](HWND owner, std::wstring_view text) {
                MessageBoxW(owner, std::wstring(text).c_str(), wide(forms::kProgramTitle).c_str(), MB_OK);
            },
        .openAddress = openAddress,
        .today = today,
        .dateOrder = dateOrder,
        .endProgram = [] { PostQuitMessage(0); },
    };
}

} // namespace morvane::win32
