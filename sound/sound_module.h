// The entry point of the sound module, which the program loads by name once
// its window is on screen.
#pragma once

#include "sdl_cue_player.h"

namespace marvesto {

inline constexpr const char* kSoundModuleFile = "marvesto-sound.so";
inline constexpr const char* kSoundModuleEntry = "MarvestoNewCuePlayer";

// The module's entry point, MarvestoNewCuePlayer: a new SDL cue player that
// waits through `waiter`. The caller owns the player and deletes it while the
// module is still loaded.
using NewCuePlayer = CuePlayer* (*)(const SdlCuePlayer::Waiter& waiter);

} // namespace marvesto
