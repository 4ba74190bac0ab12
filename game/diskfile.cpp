#include "game/diskfile.h"

namespace morvane {

std::error_code replaceFile(const std::filesystem::path& target, std::string_view bytes)
{
    std::error_code error;
    std::filesystem::path real = target;
    // A target that does not exist yet is no error: the save creates it.
    if (std::filesystem::symlink_status(target, error).type() == std::filesystem::file_type::symlink) {
        real = std::filesystem::weakly_canonical(target, error);
        if (error)
            return error;
    }
    if (real.filename().empty())
        return std::make_error_code(std::errc::is_a_directory);
    return replaceFileAt(real, bytes);
}

} // namespace morvane
