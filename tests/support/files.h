// Scratch files for tests: whole-file reads and writes, and what a folder holds.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace marvesto::testing {

// Throws when the file cannot be read; see ReadBytesIfAny for a missing file.
std::string ReadBytes(const std::filesystem::path& file);
// Empty when there is no such file.
std::string ReadBytesIfAny(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
// The names in the folder, sorted.
std::vector<std::string> EntriesIn(const std::filesystem::path& folder);

} // namespace marvesto::testing
