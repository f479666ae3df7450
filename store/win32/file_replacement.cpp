#include "file_replacement.h"

#include "system_error.h"

#include <charconv>
#include <string>

namespace marvesto {

namespace {

namespace fs = std::filesystem;

// Enough tries to step over files left behind by earlier processes that were
// killed in the middle of a save and happened to have the same process id.
constexpr int kTemporaryNameAttempts = 100;

enum class Refusal { NotAnOrdinaryFile = 1, ReadOnly };

class ReplacementCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "file replacement"; }
    std::string message(int condition) const override {
        return condition == static_cast<int>(Refusal::ReadOnly)
                   ? "it is read-only, so it is left as it is"
                   : "it is a link or a device, not an ordinary file, so it is left as it is";
    }
};

std::error_code Refused(Refusal refusal) {
    static const ReplacementCategory category;
    return {static_cast<int>(refusal), category};
}

// ReplaceFileW and MoveFileExW are sure of their ground with full paths only.
std::wstring FullPath(const fs::path& file) {
    const DWORD size = GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(file.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return file.wstring();
    }
    full.resize(length);
    return full;
}

// The name of the new content's file: "<file>.<process id>-<attempt>.tmp".
std::wstring TemporaryName(const std::wstring& target, DWORD process, int attempt) {
    return target + L"." + std::to_wstring(process) + L"-" + std::to_wstring(attempt) + L".tmp";
}

// The process whose save made a file of that name, or 0 if no save did.
DWORD SavingProcess(const std::wstring& name, const std::wstring& target) {
    const std::wstring stem = target + L".";
    if (!name.starts_with(stem)) {
        return 0;
    }
    const std::string rest(name.begin() + static_cast<std::ptrdiff_t>(stem.size()), name.end());
    const char* end = rest.data() + rest.size();
    DWORD process = 0;
    const auto [dash, processError] = std::from_chars(rest.data(), end, process);
    if (processError != std::errc() || dash == end) {
        return 0;
    }
    int attempt = 0;
    const auto attemptError = std::from_chars(dash + 1, end, attempt).ec;
    return attemptError == std::errc() && name == TemporaryName(target, process, attempt) ? process
                                                                                          : 0;
}

bool HasEnded(DWORD process) {
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    if (handle == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    const bool ended = WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    CloseHandle(handle);
    return ended;
}

// A save that was killed leaves its new file behind, and nothing can remove
// it at that moment; the next save removes those of processes that have
// ended. A file whose process is alive may be another game's save in progress.
void RemoveLeftovers(const fs::path& target) {
    const std::wstring name = target.filename().wstring();
    const fs::path folder = target.parent_path();
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder / (name + L".*.tmp")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const DWORD process = SavingProcess(found.cFileName, name);
        if (process != 0 && HasEnded(process)) {
            DeleteFileW((folder / found.cFileName).c_str());
        }
    } while (FindNextFileW(search, &found) != FALSE);
    FindClose(search);
}

// Only a regular file that may be written is replaced. Wine, unlike Windows,
// would replace a read-only file, so the attribute is looked at here. Opening
// the file for writing changes nothing in it and asks its own permission.
std::error_code CheckReplaceable(const fs::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const std::error_code error = LastWin32Error();
        return error == std::errc::no_such_file_or_directory ? std::error_code() : error;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    if ((attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return Refused(Refusal::NotAnOrdinaryFile);
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return Refused(Refusal::ReadOnly);
    }
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return LastWin32Error();
    }
    const bool ordinary = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    return ordinary ? std::error_code() : Refused(Refusal::NotAnOrdinaryFile);
}

// The new content's file until it takes the target's place; removed if it
// never does.
class TemporaryFile {
public:
    explicit TemporaryFile(fs::path target) : target_(std::move(target)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    ~TemporaryFile() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
        if (!path_.empty()) {
            DeleteFileW(path_.c_str());
        }
    }

    std::error_code Create() {
        for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
            const fs::path candidate =
                target_.parent_path() /
                TemporaryName(target_.filename().wstring(), GetCurrentProcessId(), attempt);
            handle_ = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle_ != INVALID_HANDLE_VALUE) {
                path_ = candidate;
                return {};
            }
            if (GetLastError() != ERROR_FILE_EXISTS) {
                return LastWin32Error();
            }
        }
        return std::make_error_code(std::errc::file_exists);
    }

    std::error_code Fill(std::string_view content) {
        while (!content.empty()) {
            DWORD written = 0;
            if (WriteFile(handle_, content.data(), static_cast<DWORD>(content.size()), &written,
                          nullptr) == FALSE) {
                return LastWin32Error();
            }
            if (written == 0) {
                return std::make_error_code(std::errc::io_error);
            }
            content.remove_prefix(written);
        }
        if (FlushFileBuffers(handle_) == FALSE) {
            return LastWin32Error();
        }
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != FALSE ? std::error_code() : LastWin32Error();
    }

    // The rename reaches the disk before the call returns.
    std::error_code MoveIntoPlace() {
        if (MoveFileExW(path_.c_str(), target_.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
            return LastWin32Error();
        }
        path_.clear();
        return {};
    }

private:
    fs::path target_;
    fs::path path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace

FileReplacement ReplaceFileContent(const fs::path& file, std::string_view content) {
    const fs::path target = FullPath(file);
    if (const auto error = CheckReplaceable(target)) {
        return {false, error};
    }
    RemoveLeftovers(target);
    TemporaryFile temporary(target);
    if (const auto error = temporary.Create()) {
        return {false, error};
    }
    if (const auto error = temporary.Fill(content)) {
        return {false, error};
    }
    if (const auto error = temporary.MoveIntoPlace()) {
        return {false, error};
    }
    return {true, {}};
}

} // namespace marvesto
