#include "game/positiondisk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <istream>
#include <streambuf>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morvane {

namespace {

// Hands the reader a file's bytes as it asks for them, so that it stops
// reading where a position ends, however long the file goes on.
class DeviceBuffer : public std::streambuf {
public:
    explicit DeviceBuffer(QIODevice& device) : device_(device) {}

protected:
    int_type underflow() override
    {
        const qint64 n = device_.read(buffer_.data(), static_cast<qint64>(buffer_.size()));
        if (n <= 0)
            return traits_type::eof();
        setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
        return traits_type::to_int_type(buffer_[0]);
    }

private:
    QIODevice& device_;
    std::array<char, 4096> buffer_{};
};

// Opening a pipe for reading waits until someone opens it for writing, so
// the file is opened without waiting and only then asked what it is.
bool openRegularFile(QFile& file, const QString& name)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
#else
    file.setFileName(name);
    return QFileInfo(name).isFile() && file.open(QIODevice::ReadOnly);
#endif
}

} // namespace

std::optional<SavedPosition> loadPositionFile(const QString& name)
{
    QFile file;
    if (!openRegularFile(file, name))
        return std::nullopt;
    DeviceBuffer buffer(file);
    std::istream in(&buffer);
    std::optional<SavedPosition> position = readPositionFile(in);
    // A read that failed part-way would otherwise pass for the end of the file.
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return position;
}

bool savePositionFile(const QString& name, const Positions& cell, std::string_view caption)
{
    const std::string text = writePositionFile(cell, caption);
    QSaveFile file(name);
    // A buffered write that fails shows only in the flush, and commit()
    // would then put a cut-short file in the old one's place.
    const bool written = file.open(QIODevice::WriteOnly)
                         && file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size())
                         && file.flush() && file.commit();
    if (!written)
        file.cancelWriting();
    return written;
}

} // namespace morvane
