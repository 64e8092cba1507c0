// Backend choice; the null backend has no device at all.
#include <atomic>

#include "platform/audio/audio_mixer.h"

namespace platform {

namespace {
std::atomic<AudioBackend> g_backend{AudioBackend::Sdl};
}

void UseAudioBackend(AudioBackend backend) {
    g_backend = backend;
}

AudioBackend GetAudioBackend() {
    return g_backend;
}

std::unique_ptr<AudioDevice> OpenAudioDevice(uint32_t* result) {
    switch (g_backend.load()) {
    case AudioBackend::Sdl:
        return OpenSdlAudioDevice(result);
    case AudioBackend::Clock:
        return OpenClockAudioDevice(result);
    case AudioBackend::Null:
        break;
    }
    *result = kAudioErrNoDevice;
    return nullptr;
}

}  // namespace platform
