#include "sound_loader.h"

#include "sound_module.h"

#include <QCoreApplication>

#include <dlfcn.h>

#include <cstdio>

namespace marvesto {

std::unique_ptr<CuePlayer> LoadSound(const SdlCuePlayer::Waiter& waiter) {
    const QByteArray path =
        (QCoreApplication::applicationDirPath() + '/' + kSoundModuleFile).toLocal8Bit();
    // Never unloaded: the player's code lives in it until the program ends.
    void* module = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    auto* newCuePlayer = module != nullptr
                             ? reinterpret_cast<NewCuePlayer>(dlsym(module, kSoundModuleEntry))
                             : nullptr;
    if (newCuePlayer == nullptr) {
        std::fprintf(stderr, "Marvesto: no sound: %s\n", dlerror());
        return nullptr;
    }
    return std::unique_ptr<CuePlayer>(newCuePlayer(waiter));
}

} // namespace marvesto
