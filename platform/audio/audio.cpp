// Backend choice; the none backend has no device at all.
#include "platform/audio/audio_mixer.h"
#include "platform/audio/audio_state.h"

namespace platform {

AudioState& GetAudioState() {
    static AudioState state;
    return state;
}

void UseAudioBackend(AudioBackend backend) {
    GetAudioState().backend = backend;
}

AudioBackend GetAudioBackend() {
    return GetAudioState().backend;
}

void InstallRealAudioDevice(std::unique_ptr<AudioDevice> (*open)(uint32_t* result)) {
    GetAudioState().openReal = open;
}

std::unique_ptr<AudioDevice> OpenAudioDevice(uint32_t* result) {
    switch (GetAudioBackend()) {
    case AudioBackend::Real:
        if (auto openReal = GetAudioState().openReal.load()) return openReal(result);
        break;
    case AudioBackend::Headless:
        return OpenHeadlessAudioDevice(result);
    case AudioBackend::None:
        break;
    }
    *result = kAudioErrNoDevice;
    return nullptr;
}

}  // namespace platform
