// Scratch files for tests: whole-file reads and writes, the lines a stream
// holds, and what a folder holds.
#pragma once

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace marvesto::testing {

// A new folder in the system's folder for temporary files, removed with all
// it holds when the test is done with it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device seed;
        do {
            path_ = std::filesystem::temp_directory_path() / ("marvesto-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Empty when there is no such file, or it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

// The lines from the stream's position to its end, without their line ends.
inline std::vector<std::string> ReadLines(std::FILE* stream) {
    std::vector<std::string> lines;
    for (std::array<char, 4096> line{};
         std::fgets(line.data(), static_cast<int>(line.size()), stream) != nullptr;) {
        lines.emplace_back(line.data(), std::strcspn(line.data(), "\n"));
    }
    return lines;
}

// The names in the folder, sorted.
inline std::vector<std::string> EntriesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace marvesto::testing
