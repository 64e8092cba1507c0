// The software mixer shared by the audio backends: every buffer is a voice of one mixer, which
// the backend drives (the SDL callback, or the clock catching up before each call).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/audio.h"

namespace platform {

class MixerVoice;

class Mixer {
public:
    virtual ~Mixer() = default;

    // Mixes frames of output (interleaved stereo) from every playing voice.
    void Mix(int16_t* out, uint32_t frames);

    // Brings the output up to date before a buffer call; the clock backend mixes here.
    // Called with the mutex held.
    virtual void CatchUpLocked() {}

    std::recursive_mutex& Mutex() { return mutex_; }
    void AddVoice(MixerVoice* voice);
    void RemoveVoice(MixerVoice* voice);

protected:
    void MixLocked(int16_t* out, uint32_t frames);

private:
    std::recursive_mutex mutex_;
    std::vector<MixerVoice*> voices_;
    std::vector<float> accumulator_;
};

// Counts the output frames due as platform::TicksMs advances, for a mixer that no device drives.
class ClockPace {
public:
    ClockPace();
    // The frames due since the last call (or since construction).
    uint32_t TakeDueFrames();

private:
    uint32_t lastTicks_;
    uint64_t elapsedMs_ = 0;
    uint64_t dueFrames_ = 0;
};

// One buffer: its bytes, cursors and volume. Every call locks the mixer.
class MixerVoice : public AudioBuffer {
public:
    MixerVoice(std::shared_ptr<Mixer> mixer, const AudioFormat& format, uint32_t bytes);
    ~MixerVoice() override;

    uint32_t GetSize() const override { return static_cast<uint32_t>(data_.size()); }
    uint32_t Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* bytes1, void** region2,
                  uint32_t* bytes2) override;
    uint32_t Unlock(void* region1, uint32_t bytes1, void* region2, uint32_t bytes2) override;
    uint32_t Play(bool looping) override;
    uint32_t Stop() override;
    uint32_t GetCurrentPosition(uint32_t* play, uint32_t* write) override;
    uint32_t SetVolume(int32_t hundredthsDb) override;
    uint32_t GetVolume(int32_t* hundredthsDb) override;
    uint32_t GetStatus(uint32_t* status) override;
    uint32_t Restore() override;

    // Adds frames of this voice, converted to the output rate and stereo, into accumulator.
    void MixInto(float* accumulator, uint32_t frames);

private:
    uint32_t FrameCount() const { return static_cast<uint32_t>(data_.size()) / align_; }
    void ReadFrame(uint32_t frame, float* left, float* right) const;
    uint32_t PlayCursor() const;

    std::shared_ptr<Mixer> mixer_;
    AudioFormat format_;
    uint32_t align_;
    std::vector<uint8_t> data_;
    // Locked regions wait here until Unlock copies them into data_.
    std::vector<uint8_t> staging_;
    uint32_t lockedOffset_ = 0;
    bool locked_ = false;
    bool playing_ = false;
    bool looping_ = false;
    // Position in source frames, 32.32 fixed point, and the step per output frame.
    uint64_t position_ = 0;
    uint64_t step_;
    int32_t volume_ = kAudioVolumeMax;
    float gain_ = 1.0f;
};

// The device part every backend shares: buffers become voices of its mixer.
class MixerDevice : public AudioDevice {
public:
    explicit MixerDevice(std::shared_ptr<Mixer> mixer) : mixer_(std::move(mixer)) {}
    uint32_t CreateBuffer(const AudioFormat& format, uint32_t bytes,
                          std::unique_ptr<AudioBuffer>* buffer) override;

protected:
    std::shared_ptr<Mixer> mixer_;
};

std::unique_ptr<AudioDevice> OpenHeadlessAudioDevice(uint32_t* result);

}  // namespace platform
