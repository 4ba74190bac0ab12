// The position file's system calls on Windows.

#include "game/diskfile.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace morvane {

namespace {

// diskfile.h keeps every system's handle as an integer; this is where a
// Windows one turns back into a HANDLE.
// NOLINTNEXTLINE(performance-no-int-to-ptr): the integer is a HANDLE stored by open().
HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 1u << 20 ? 1u << 20 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A name beside the target that no other save is using.
HANDLE createBeside(const std::wstring& target, std::wstring& created)
{
    static std::atomic<unsigned> serial{0};
    const std::size_t folder = target.find_last_of(L"\\/:") + 1;  // 0 when the name has no folder
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = target.substr(0, folder);
        created += L'~';
        created += target.substr(folder);
        for (const std::string& number : {std::to_string(GetCurrentProcessId()), std::to_string(serial++)})
            created.append(L".").append(number.begin(), number.end());
        created += L".tmp";
        const HANDLE file = CreateFileW(created.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

// A folder does not open without FILE_FLAG_BACKUP_SEMANTICS; a pipe or a
// device opens at once and is refused when asked what it is. A socket is a
// pipe to GetFileType.
std::optional<RegularFile> RegularFile::open(const NativeName* name, OpenRefusal* why)
{
    using std::filesystem::file_type;
    const HANDLE file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (why) {
            const DWORD error = GetLastError();
            const DWORD attributes =
                error == ERROR_ACCESS_DENIED ? GetFileAttributesW(name) : INVALID_FILE_ATTRIBUTES;
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                why->type = file_type::directory;
            else
                why->error = std::error_code(static_cast<int>(error), std::system_category());
        }
        return std::nullopt;
    }
    const DWORD type = GetFileType(file);
    if (type != FILE_TYPE_DISK) {
        CloseHandle(file);
        if (why)
            why->type = type == FILE_TYPE_PIPE ? file_type::fifo
                        : type == FILE_TYPE_CHAR ? file_type::character
                                                 : file_type::unknown;
        return std::nullopt;
    }
    return RegularFile(reinterpret_cast<std::intptr_t>(file));
}

RegularFile::RegularFile(RegularFile&& other) noexcept : handle_(other.handle_), buffer_(other.buffer_)
{
    other.handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

RegularFile::~RegularFile()
{
    if (handleOf(handle_) != INVALID_HANDLE_VALUE)
        CloseHandle(handleOf(handle_));
}

std::optional<std::span<char>> RegularFile::read()
{
    DWORD n = 0;
    if (!ReadFile(handleOf(handle_), buffer_.data(), static_cast<DWORD>(buffer_.size()), &n, nullptr))
        return std::nullopt;
    return std::span<char>(buffer_.data(), n);
}

// The name is taken as it stands: a name that ends in a separator is a
// folder's, and a link is replaced, not followed.
std::error_code replaceFile(const NativeName* target, std::string_view bytes)
{
    const std::wstring real = target;
    if (real.empty() || real.back() == L'\\' || real.back() == L'/')
        return std::make_error_code(std::errc::is_a_directory);
    const auto failed = [] { return std::error_code(static_cast<int>(GetLastError()), std::system_category()); };
    std::error_code error;
    std::wstring temporary;
    const HANDLE file = createBeside(real, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return failed();
    if (!writeAll(file, bytes) || !FlushFileBuffers(file))
        error = failed();
    if (!CloseHandle(file) && !error)
        error = failed();
    if (!error && !MoveFileExW(temporary.c_str(), real.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = failed();
    if (error)
        DeleteFileW(temporary.c_str());
    return error;
}

} // namespace morvane
