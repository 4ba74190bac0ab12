#include "game/positiondisk.h"

#include <istream>
#include <streambuf>

#include "game/diskfile.h"

namespace morvane {

namespace {

// Hands the reader a file's bytes as it asks for them, so that it stops
// reading where a position ends, however long the file goes on. A read that
// fails part-way is remembered, since to the reader it looks like the end.
class FileBuffer : public std::streambuf {
public:
    explicit FileBuffer(RegularFile& file) : file_(file) {}
    bool failed() const { return failed_; }

protected:
    int_type underflow() override
    {
        const std::optional<std::span<char>> bytes = file_.read();
        if (!bytes)
            failed_ = true;
        if (!bytes || bytes->empty())
            return traits_type::eof();
        setg(bytes->data(), bytes->data(), bytes->data() + bytes->size());
        return traits_type::to_int_type(bytes->front());
    }

private:
    RegularFile& file_;
    bool failed_ = false;
};

} // namespace

std::optional<SavedPosition> loadPositionFile(const std::filesystem::path& name, LoadTrouble* trouble)
{
    std::optional<RegularFile> file = RegularFile::open(name, trouble ? &trouble->refused : nullptr);
    if (!file)
        return std::nullopt;
    FileBuffer buffer(*file);
    std::istream in(&buffer);
    std::optional<SavedPosition> position = readPositionFile(in);
    if (buffer.failed()) {
        if (trouble)
            trouble->unreadable = true;
        return std::nullopt;
    }
    return position;
}

bool savePositionFile(const std::filesystem::path& name, const Positions& cell, std::string_view caption)
{
    return !replaceFile(name, writePositionFile(cell, caption));
}

} // namespace morvane
