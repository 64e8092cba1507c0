#include "engine/core/app/sound_service.h"

namespace {

SoundServices& Installed() {
    static SoundServices services;
    return services;
}

}  // namespace

void SetSoundServices(const SoundServices& services) {
    Installed() = services;
}

std::unique_ptr<ISoundManager> CreateSoundManager() {
    auto create = Installed().createManager;
    return create ? create() : std::make_unique<ISoundManager>();
}

void RegisterOggDataSource() {
    if (auto registerSource = Installed().registerOggDataSource) registerSource();
}
