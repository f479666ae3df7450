#include "file_start.h"

#include "system_error.h"

namespace marvesto {

FileStart ReadFileStart(const std::filesystem::path& file, std::size_t limit) {
    FileStart start;
    // A folder cannot be opened as a file; it holds no high score.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        start.error = std::make_error_code(std::errc::is_a_directory);
        return start;
    }
    // Shared every way, so that another game saving at the same moment is
    // neither stopped nor waited for.
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        start.error = LastWin32Error();
        return start;
    }
    start.bytes.resize(limit);
    std::size_t filled = 0;
    while (filled < limit) {
        DWORD got = 0;
        if (ReadFile(handle, start.bytes.data() + filled, static_cast<DWORD>(limit - filled), &got,
                     nullptr) == FALSE) {
            start.error = LastWin32Error();
            break;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    CloseHandle(handle);
    start.bytes.resize(filled);
    return start;
}

} // namespace marvesto
