#include "mci_cue_player.h"

#include "cue_clock.h"
#include "mci_cue.h"
#include "wav_check.h"
#include "wide_text.h"

#include <optional>
#include <utility>

namespace marvesto {

namespace {

using Clock = CueClock::Clock;

} // namespace

MciCuePlayer::MciCuePlayer(CueWaiter waiter) : waiter_(std::move(waiter)) {}

void MciCuePlayer::Prepare() {
    soundReady_ = waveOutGetNumDevs() > 0;
    if (!soundReady_) {
        reports_.NoSound("no audio output device");
    }
}

void MciCuePlayer::PlayCue(const std::string& fileName) {
    if (!soundReady_) {
        return;
    }
    const std::wstring name = Widened(fileName);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return;
        }
    } else if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        reports_.CannotPlay(fileName, "not an ordinary file");
        return;
    }
    if (SamplesCutShort(name)) {
        reports_.CannotPlay(fileName, "its samples are cut short");
        return;
    }
    MciCue cue(name);
    if (cue.Problem()) {
        reports_.CannotPlay(fileName, *cue.Problem());
        return;
    }
    const std::chrono::milliseconds length = cue.Length();
    if (length.count() == 0) {
        reports_.CannotPlay(fileName, "no samples");
        return;
    }
    if (const std::optional<std::string> refused = cue.Play()) {
        Failed(fileName, *refused);
        return;
    }
    WaitUntilPlayed(cue, length, fileName);
}

void MciCuePlayer::WaitUntilPlayed(const MciCue& cue, std::chrono::milliseconds length,
                                   const std::string& fileName) {
    const CueClock clock(Clock::now(), length);
    for (;;) {
        if (cue.Failed()) {
            Failed(fileName, "the device could not play it");
            return;
        }
        const auto wait = clock.NextWait(Clock::now(), cue.PlayedAt());
        if (!wait) {
            return;
        }
        Wait(*wait, cue.NoticeWindow());
    }
}

void MciCuePlayer::Failed(const std::string& fileName, const std::string& reason) {
    // Wine, with no sound server, opens and plays a cue and then fails it at
    // once: with no output left, that is no sound for the rest of the run,
    // not a cue that cannot be played.
    if (waveOutGetNumDevs() == 0) {
        soundReady_ = false;
        reports_.NoSound("no audio output device");
    } else {
        reports_.CannotPlay(fileName, reason);
    }
}

void MciCuePlayer::Wait(std::chrono::milliseconds time, HWND notice) {
    if (waiter_) {
        waiter_(time);
        return;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(time.count()), QS_POSTMESSAGE, 0);
    MSG message{};
    while (PeekMessageW(&message, notice, 0, 0, PM_REMOVE) != FALSE) {
        DispatchMessageW(&message);
    }
}

} // namespace marvesto
