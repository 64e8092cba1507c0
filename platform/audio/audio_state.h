// The audio facility's process-wide state, in one place.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/audio/audio.h"

namespace platform {

class ClockMixer;

struct AudioState {
    std::atomic<AudioBackend> backend{AudioBackend::Real};
    std::atomic<std::unique_ptr<AudioDevice> (*)(uint32_t*)> openReal{nullptr};
    std::mutex headlessMixerLock;
    std::weak_ptr<ClockMixer> headlessMixer;  // of the headless device opened last
};

AudioState& GetAudioState();

}  // namespace platform
