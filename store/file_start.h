// Reads the first bytes of a file, enough to find a number at its start.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

namespace marvesto {

struct FileStart {
    std::string bytes;
    // Set when the file could not be opened or read; a missing file gives
    // std::errc::no_such_file_or_directory.
    std::error_code error;
};

// At most `limit` bytes, so that a huge file, or a device in the file's place,
// cannot stall the start of the game.
FileStart ReadFileStart(const std::filesystem::path& file, std::size_t limit);

} // namespace marvesto
