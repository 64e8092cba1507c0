// The SDL2 device: its callback pulls 44,100 Hz stereo 16-bit frames from the mixer; SDL converts
// them further when the hardware wants another format.
#include <SDL.h>

#include "platform/audio/audio_sdl.h"

#include "platform/audio/audio_mixer.h"

namespace platform {

namespace {

class SdlDevice : public MixerDevice {
public:
    SdlDevice(std::shared_ptr<Mixer> mixer, SDL_AudioDeviceID id) : MixerDevice(std::move(mixer)), id_(id) {}

    ~SdlDevice() override {
        SDL_CloseAudioDevice(id_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    static void Callback(void* userdata, Uint8* stream, int length) {
        auto* mixer = static_cast<Mixer*>(userdata);
        mixer->Mix(reinterpret_cast<int16_t*>(stream),
                   static_cast<uint32_t>(length) / (2 * kAudioOutputChannels));
    }

private:
    SDL_AudioDeviceID id_;
};

}  // namespace

std::unique_ptr<AudioDevice> OpenSdlAudioDevice(uint32_t* result) {
    *result = kAudioErrNoDevice;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    auto mixer = std::make_shared<Mixer>();
    SDL_AudioSpec wanted{};
    wanted.freq = kAudioOutputRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kAudioOutputChannels;
    wanted.samples = 1024;
    wanted.callback = &SdlDevice::Callback;
    wanted.userdata = mixer.get();
    SDL_AudioSpec obtained{};
    SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    auto device = std::make_unique<SdlDevice>(std::move(mixer), id);
    SDL_PauseAudioDevice(id, 0);
    *result = kAudioOk;
    return device;
}

}  // namespace platform
