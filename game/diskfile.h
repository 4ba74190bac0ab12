#pragma once

// The few calls the position file needs from the operating system, one
// source file per system beside this one: what the standard library cannot
// promise is opening a file without waiting on it, and replacing a file so
// that no reader ever sees half of it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace morvane {

// A file's name as the system's own calls take it: UTF-16 on Windows, bytes
// elsewhere. A program that takes names from the system as they are passes
// them on so, and carries no part of std::filesystem for it.
using NativeName = std::filesystem::path::value_type;

// Why RegularFile::open refused a name: the system's reason where it could not
// be opened, or else what the name is in place of a regular file.
struct OpenRefusal {
    std::error_code error;
    std::filesystem::file_type type = std::filesystem::file_type::none;
};

// A regular file open for reading. A pipe, a device, a folder or a socket is
// refused without waiting for a writer and without reading from it.
class RegularFile {
public:
    static std::optional<RegularFile> open(const NativeName* name, OpenRefusal* why = nullptr);

    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&&) = delete;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // The next bytes of the file, in a buffer of the file's own that the next
    // read overwrites: empty at the end of the file, nothing when reading failed.
    std::optional<std::span<char>> read();

private:
    explicit RegularFile(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle_;
    std::array<char, 4096> buffer_{};
};

// Writes `bytes` to a new file in the target's folder, makes sure they are on
// the disk, then puts that file in the target's place in one step. Every step
// is checked; on any failure the new file is removed and the target is left
// exactly as it was. On a POSIX system, where the target is a symbolic link,
// the file it points to is the one replaced. Returns the system's reason for
// a failure, or no error.
std::error_code replaceFile(const NativeName* target, std::string_view bytes);
inline std::error_code replaceFile(const std::filesystem::path& target, std::string_view bytes)
{
    return replaceFile(target.c_str(), bytes);
}

} // namespace morvane
