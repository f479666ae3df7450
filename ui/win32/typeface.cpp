#include "typeface.h"

#include "bundled_typeface.h"
#include "run_time_error.h"
#include "wide_text.h"

#include <string>

namespace marvesto {

namespace {

// The folder of the running program, with its final backslash.
std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            throw RunTimeError("The program cannot find its own folder");
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

} // namespace

void LoadBundledTypeface() {
    const std::wstring folder = ProgramFolder();
    for (const std::string_view file : kBundledTypefaceFiles) {
        const std::wstring path = folder + Widened(file);
        if (AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr) == 0) {
            throw RunTimeError("The game's font " + Narrowed(path) + " is missing or broken");
        }
    }
}

HFONT CreateGameFont(const FontSpec& spec, int dotsPerInch) {
    const std::wstring face = Widened(kBundledTypeface);
    // A negative height asks for the em height, as Qt's pixel size does.
    return CreateFontW(-FontPixels(spec, dotsPerInch), 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL,
                       spec.italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_ONLY_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       face.c_str());
}

} // namespace marvesto
