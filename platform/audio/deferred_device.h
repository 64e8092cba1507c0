// A device whose output opens on a thread of its own: opening a desktop's sound output can take a tenth of a
// second or more (drivers probed, sound servers tried), and the game's first frame should not wait for it.
// Buffers made and played meanwhile wait, and start when the output does; if it never opens they are mixed into
// nothing as the clock advances, so their cursors still move and sounds played once still end.
#pragma once

#include <memory>
#include <thread>

#include "platform/audio/audio_mixer.h"

namespace platform {

// The real output under a deferred device.
class MixerOutput {
public:
    // Closes the output, if Open opened it.
    virtual ~MixerOutput() = default;
    // Runs on the opening thread: starts the output pulling from mixer (Mixer::Mix) and answers whether it did.
    virtual bool Open(Mixer& mixer) = 0;
};

class DeferredMixerDevice : public MixerDevice {
public:
    explicit DeferredMixerDevice(std::unique_ptr<MixerOutput> output);
    // Waits for the opening to end, then closes the output while the mixer is still alive.
    ~DeferredMixerDevice() override;

private:
    void OpenOutput();

    std::unique_ptr<MixerOutput> output_;
    std::thread opener_;
};

}  // namespace platform
