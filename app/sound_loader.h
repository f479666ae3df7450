// Loads the cue player from the sound module beside the program.
#pragma once

#include "cue_player.h"
#include "sdl_cue_player.h"

#include <memory>

namespace marvesto {

// Empty, after one line on standard error, if the module cannot be loaded:
// the game then goes on without sound.
std::unique_ptr<CuePlayer> LoadSound(const SdlCuePlayer::Waiter& waiter);

} // namespace marvesto
