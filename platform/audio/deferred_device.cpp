#include "platform/audio/deferred_device.h"

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// Mixes nothing until told the output is missing; from then on, the clock's due frames into nothing.
class DeferredMixer : public Mixer {
public:
    void MixIntoNothing() {
        std::lock_guard<std::recursive_mutex> hold(Mutex());
        pace_.emplace();
    }

    void CatchUpLocked() override {
        if (!pace_)
            return;
        // In steps of a second, so a long pause between calls takes no large block of memory.
        for (uint32_t frames = pace_->TakeDueFrames(); frames > 0;) {
            uint32_t step = std::min(frames, kAudioOutputRate);
            MixLocked(nullptr, step);
            frames -= step;
        }
    }

private:
    std::optional<ClockPace> pace_;
};

}  // namespace

DeferredMixerDevice::DeferredMixerDevice(std::unique_ptr<MixerOutput> output)
    : MixerDevice(std::make_shared<DeferredMixer>()), output_(std::move(output)) {
    opener_ = std::thread(&DeferredMixerDevice::OpenOutput, this);
}

DeferredMixerDevice::~DeferredMixerDevice() {
    opener_.join();
    output_.reset();
}

void DeferredMixerDevice::OpenOutput() {
    if (!output_->Open(*mixer_))
        static_cast<DeferredMixer&>(*mixer_).MixIntoNothing();
}

}  // namespace platform
