// The headless device: the output advances with platform::TicksMs, so under the test clock every
// cursor moves exactly as far as the test advanced the time.
#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/audio/audio_mixer.h"
#include "platform/audio/audio_state.h"

namespace platform {

namespace {

// A minute of interleaved stereo output kept for tests.
constexpr size_t kCaptureLimit = size_t(60) * kAudioOutputRate * kAudioOutputChannels;

}  // namespace

class ClockMixer : public Mixer {
public:
    void CatchUpLocked() override {
        uint32_t frames = pace_.TakeDueFrames();
        if (frames == 0)
            return;
        size_t start = capture_.size();
        size_t wanted = std::min(kCaptureLimit, start + size_t(frames) * kAudioOutputChannels);
        std::vector<int16_t> block(size_t(frames) * kAudioOutputChannels);
        MixLocked(block.data(), frames);
        capture_.insert(capture_.end(), block.begin(), block.begin() + (wanted - start));
    }

    std::vector<int16_t> TakeCapture() {
        std::lock_guard<std::recursive_mutex> hold(Mutex());
        CatchUpLocked();
        return std::exchange(capture_, {});
    }

private:
    ClockPace pace_;
    std::vector<int16_t> capture_;
};

std::unique_ptr<AudioDevice> OpenHeadlessAudioDevice(uint32_t* result) {
    auto mixer = std::make_shared<ClockMixer>();
    {
        AudioState& state = GetAudioState();
        std::lock_guard<std::mutex> hold(state.headlessMixerLock);
        state.headlessMixer = mixer;
    }
    *result = kAudioOk;
    return std::make_unique<MixerDevice>(std::move(mixer));
}

std::vector<int16_t> TakeHeadlessAudioOutput() {
    std::shared_ptr<ClockMixer> mixer;
    {
        AudioState& state = GetAudioState();
        std::lock_guard<std::mutex> hold(state.headlessMixerLock);
        mixer = state.headlessMixer.lock();
    }
    return mixer ? mixer->TakeCapture() : std::vector<int16_t>();
}

}  // namespace platform
