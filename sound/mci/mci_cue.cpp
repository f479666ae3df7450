#include "mci_cue.h"

#include "from_integer.h"
#include "wide_text.h"

#include <array>

namespace marvesto {

namespace {

constexpr const wchar_t* kNoticeClass = L"MarvestoCueNotice";

} // namespace

MciCue::MciCue(const std::wstring& fileName) {
    WNDCLASSEXW noticeClass{};
    noticeClass.cbSize = sizeof(noticeClass);
    noticeClass.lpfnWndProc = &MciCue::Notice;
    noticeClass.hInstance = GetModuleHandleW(nullptr);
    noticeClass.lpszClassName = kNoticeClass;
    // Registered by the first cue; later ones find it there.
    RegisterClassExW(&noticeClass);
    notice_ = CreateWindowExW(0, kNoticeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              noticeClass.hInstance, nullptr);
    if (notice_ == nullptr) {
        problem_ = "no window to hear the device's word on";
        return;
    }
    SetWindowLongPtrW(notice_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    MCI_OPEN_PARMSW open{};
    open.lpstrDeviceType = L"waveaudio";
    open.lpstrElementName = fileName.c_str();
    if (const MCIERROR error = mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                               reinterpret_cast<DWORD_PTR>(&open))) {
        problem_ = MciProblem(error);
        return;
    }
    device_ = open.wDeviceID;
    MCI_SET_PARMS inMilliseconds{};
    inMilliseconds.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    mciSendCommandW(device_, MCI_SET, MCI_SET_TIME_FORMAT,
                    reinterpret_cast<DWORD_PTR>(&inMilliseconds));
}

MciCue::~MciCue() {
    if (device_ != 0) {
        mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, 0);
    }
    if (notice_ != nullptr) {
        DestroyWindow(notice_);
    }
}

std::chrono::milliseconds MciCue::Length() const {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_LENGTH;
    if (mciSendCommandW(device_, MCI_STATUS, MCI_STATUS_ITEM,
                        reinterpret_cast<DWORD_PTR>(&status)) != 0) {
        return std::chrono::milliseconds{0};
    }
    return std::chrono::milliseconds{status.dwReturn};
}

std::optional<std::string> MciCue::Play() {
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(notice_);
    if (const MCIERROR error =
            mciSendCommandW(device_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play))) {
        return MciProblem(error);
    }
    return std::nullopt;
}

LRESULT CALLBACK MciCue::Notice(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* cue = FromInteger<MciCue*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // A play stopped by closing the device reports itself aborted: that is
    // neither an end nor a failure.
    if (message == MM_MCINOTIFY && cue != nullptr &&
        static_cast<MCIDEVICEID>(lParam) == cue->device_) {
        if (wParam == MCI_NOTIFY_SUCCESSFUL) {
            cue->playedAt_ = Clock::now();
        } else if (wParam == MCI_NOTIFY_FAILURE) {
            cue->failed_ = true;
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::string MciProblem(MCIERROR error) {
    std::array<wchar_t, MAXERRORLENGTH> text{};
    if (mciGetErrorStringW(error, text.data(), MAXERRORLENGTH) == FALSE) {
        return "MCI error " + std::to_string(error);
    }
    std::string problem = Narrowed(text.data());
    // Told as the reason after a colon, in a line of the program's own.
    if (!problem.empty() && problem.back() == '.') {
        problem.pop_back();
    }
    return problem;
}

} // namespace marvesto
