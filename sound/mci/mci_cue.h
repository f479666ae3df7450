// One cue on the Media Control Interface's waveaudio device: the WAV file
// opened, played with notify, and closed, which stops it, when the cue is
// destroyed. MCI tells a message-only window of the cue's own when the play
// has ended or failed; the window lives as long as the cue, so that no word
// about an earlier cue is taken for this one's.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <chrono>
#include <optional>
#include <string>

namespace marvesto {

class MciCue {
public:
    using Clock = std::chrono::steady_clock;

    explicit MciCue(const std::wstring& fileName);
    ~MciCue();
    MciCue(const MciCue&) = delete;
    MciCue& operator=(const MciCue&) = delete;

    // Why the file could not be opened; nothing once it is open.
    const std::optional<std::string>& Problem() const { return problem_; }
    std::chrono::milliseconds Length() const;

    // Starts playing and returns at once; why the device refused, if it did.
    std::optional<std::string> Play();
    // What MCI has said of the play so far: it has ended, and when the
    // program heard of it; or it has failed.
    std::optional<Clock::time_point> PlayedAt() const { return playedAt_; }
    bool Failed() const { return failed_; }
    // The window MCI tells: its messages are to be dispatched while the cue
    // plays.
    HWND NoticeWindow() const { return notice_; }

private:
    static LRESULT CALLBACK Notice(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND notice_ = nullptr;
    MCIDEVICEID device_ = 0;
    std::optional<std::string> problem_;
    std::optional<Clock::time_point> playedAt_;
    bool failed_ = false;
};

// The words MCI has for one of its errors.
std::string MciProblem(MCIERROR error);

} // namespace marvesto
