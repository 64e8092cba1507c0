// The SDL2 device: its callback pulls 44,100 Hz stereo 16-bit frames from the mixer; SDL converts
// them further when the hardware wants another format. It opens on a thread of its own (deferred_device.h).
#include <SDL.h>

#include "platform/audio/audio_sdl.h"

#include "platform/audio/deferred_device.h"

namespace platform {

namespace {

class SdlOutput : public MixerOutput {
public:
    ~SdlOutput() override {
        if (id_ != 0)
            SDL_CloseAudioDevice(id_);
        if (started_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Open(Mixer& mixer) override {
        bool opened = Start(mixer);
        // The opening thread is not one SDL made, so SDL frees its per-thread error text only when asked.
        SDL_TLSCleanup();
        return opened;
    }

private:
    bool Start(Mixer& mixer) {
        started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!started_)
            return false;
        SDL_AudioSpec wanted{};
        wanted.freq = kAudioOutputRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = kAudioOutputChannels;
        wanted.samples = 1024;
        wanted.callback = &Callback;
        wanted.userdata = &mixer;
        SDL_AudioSpec obtained{};
        id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (id_ == 0)
            return false;
        SDL_PauseAudioDevice(id_, 0);
        return true;
    }

    static void Callback(void* userdata, Uint8* stream, int length) {
        auto* mixer = static_cast<Mixer*>(userdata);
        mixer->Mix(reinterpret_cast<int16_t*>(stream),
                   static_cast<uint32_t>(length) / (2 * kAudioOutputChannels));
    }

    bool started_ = false;
    SDL_AudioDeviceID id_ = 0;
};

}  // namespace

std::unique_ptr<AudioDevice> OpenSdlAudioDevice(uint32_t* result) {
    *result = kAudioOk;
    return std::make_unique<DeferredMixerDevice>(std::make_unique<SdlOutput>());
}

}  // namespace platform
