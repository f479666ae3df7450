#include "system_error.h"

#include <string>

namespace marvesto {

namespace {

class Win32Category : public std::error_category {
public:
    const char* name() const noexcept override { return "win32"; }

    std::string message(int code) const override {
        wchar_t* text = nullptr;
        const DWORD length = FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        if (length == 0) {
            return "error " + std::to_string(code);
        }
        std::wstring wide(text, length);
        LocalFree(text);
        // The system's messages end in a full stop and a line end; the store
        // puts its own full stop after the reason.
        while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' ||
                                 wide.back() == L'.' || wide.back() == L' ')) {
            wide.pop_back();
        }
        const int size = static_cast<int>(wide.size());
        std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(
                               CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                           '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, narrow.data(),
                            static_cast<int>(narrow.size()), nullptr, nullptr);
        return narrow;
    }
};

} // namespace

std::error_code Win32Error(DWORD code) {
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    static const Win32Category category;
    return {static_cast<int>(code), category};
}

std::error_code LastWin32Error() {
    return Win32Error(GetLastError());
}

} // namespace marvesto
