// The position file's system calls on POSIX systems.

#include "game/diskfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

namespace morvane {

namespace {

int descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

std::filesystem::file_type fileType(mode_t mode)
{
    using std::filesystem::file_type;
    if (S_ISDIR(mode))
        return file_type::directory;
    if (S_ISFIFO(mode))
        return file_type::fifo;
    if (S_ISCHR(mode))
        return file_type::character;
    if (S_ISBLK(mode))
        return file_type::block;
    if (S_ISSOCK(mode))
        return file_type::socket;
    return file_type::unknown;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A name beside the target that no other save is using: the dot keeps it out
// of a plain listing for the moment it exists.
int createBeside(const std::filesystem::path& target, std::filesystem::path& created)
{
    static std::atomic<unsigned> serial{0};
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += '.';
        name += std::to_string(::getpid());
        name += '.';
        name += std::to_string(serial++);
        name += ".tmp";
        created = folder / name;
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

// O_NONBLOCK: opening a pipe for reading would otherwise wait until someone
// opens it for writing. The file is asked what it is only once it is open,
// so nothing can be swapped in between the question and the opening.
std::optional<RegularFile> RegularFile::open(const NativeName* name, OpenRefusal* why)
{
    struct stat status {};
    const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        const bool known = ::fstat(fd, &status) == 0;
        const int error = errno;
        if (known && S_ISREG(status.st_mode))
            return RegularFile(fd);
        ::close(fd);
        if (why && known)
            why->type = fileType(status.st_mode);
        else if (why)
            why->error = std::error_code(error, std::generic_category());
        return std::nullopt;
    }
    const int error = errno;
    // A socket never opens at all. Where a name is not a regular file, that
    // says more than why it did not open; stat opens nothing, so waits on nothing.
    if (why && ::stat(name, &status) == 0 && !S_ISREG(status.st_mode))
        why->type = fileType(status.st_mode);
    else if (why)
        why->error = std::error_code(error, std::generic_category());
    return std::nullopt;
}

RegularFile::RegularFile(RegularFile&& other) noexcept : handle_(other.handle_), buffer_(other.buffer_)
{
    other.handle_ = -1;
}

RegularFile::~RegularFile()
{
    if (handle_ >= 0)
        ::close(descriptor(handle_));
}

std::optional<std::span<char>> RegularFile::read()
{
    for (;;) {
        const ssize_t n = ::read(descriptor(handle_), buffer_.data(), buffer_.size());
        if (n >= 0)
            return std::span<char>(buffer_.data(), static_cast<std::size_t>(n));
        if (errno != EINTR)
            return std::nullopt;
    }
}

namespace {

std::error_code replaceFileAt(const std::filesystem::path& real, std::string_view bytes)
{
    const auto failed = [] { return std::error_code(errno, std::generic_category()); };
    std::error_code error;
    std::filesystem::path temporary;
    const int fd = createBeside(real, temporary);
    if (fd < 0)
        return failed();
    // A file that is replaced keeps its permissions; a new one gets the
    // usual ones, as the umask leaves them.
    struct stat old {};
    const bool keepMode = ::stat(real.c_str(), &old) == 0;
    if ((keepMode && ::fchmod(fd, old.st_mode & 07777) != 0) || !writeAll(fd, bytes) || ::fsync(fd) != 0)
        error = failed();
    if (::close(fd) != 0 && !error)
        error = failed();
    if (!error && ::rename(temporary.c_str(), real.c_str()) != 0)
        error = failed();
    if (error)
        ::unlink(temporary.c_str());
    return error;
}

} // namespace

std::error_code replaceFile(const NativeName* target, std::string_view bytes)
{
    std::error_code error;
    std::filesystem::path real = target;
    // A target that does not exist yet is no error: the save creates it.
    if (std::filesystem::symlink_status(real, error).type() == std::filesystem::file_type::symlink) {
        real = std::filesystem::weakly_canonical(real, error);
        if (error)
            return error;
    }
    if (real.filename().empty())
        return std::make_error_code(std::errc::is_a_directory);
    return replaceFileAt(real, bytes);
}

} // namespace morvane
