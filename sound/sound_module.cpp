#include "sound_module.h"

extern "C" __attribute__((visibility("default"))) marvesto::CuePlayer*
MarvestoNewCuePlayer(const marvesto::SdlCuePlayer::Waiter& waiter) {
    return new marvesto::SdlCuePlayer(waiter);
}
