// Sound output: PCM buffers with play and write cursors, all mixed into one output of
// 44,100 Hz stereo 16-bit. Each buffer keeps its own rate and channel count; the mixer converts.
// Volumes are in hundredths of a decibel, 0 full and -10000 silence.
//
// Three backends: the SDL2 audio device, a headless device whose cursors advance with
// platform::TicksMs (exact under the test clock) and which keeps what it mixed, and none at all
// (opening fails).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Results of the audio calls: 0 on success, else a failure code the caller logs.
enum AudioResult : uint32_t {
    kAudioOk = 0,
    kAudioErrNoDevice = 0x88780078,
    kAudioErrInvalidParam = 0x80070057,
    kAudioErrBadFormat = 0x88780064,
};

constexpr uint32_t kAudioOutputRate = 44100;
constexpr uint32_t kAudioOutputChannels = 2;
constexpr int32_t kAudioVolumeMin = -10000;
constexpr int32_t kAudioVolumeMax = 0;

// Bits of AudioBuffer::GetStatus.
enum AudioStatus : uint32_t {
    kAudioStatusPlaying = 1,
    kAudioStatusBufferLost = 2,
    kAudioStatusLooping = 4,
};

// Interleaved PCM; only 16-bit signed samples are supported.
struct AudioFormat {
    uint32_t sampleRate = 0;
    uint32_t channels = 0;
    uint32_t bitsPerSample = 16;
    uint32_t BlockAlign() const { return bitsPerSample / 8 * channels; }
};

// A ring of PCM bytes. The play cursor is the byte the output reads next; the write cursor lies a
// few milliseconds ahead of it while playing (bytes before it are already committed to the
// output) and equals it when stopped. A buffer played once stops at its end and returns to 0.
class AudioBuffer {
public:
    virtual ~AudioBuffer() = default;
    virtual uint32_t GetSize() const = 0;
    // Hands out bytes at offset for writing, split in two regions when they wrap past the end;
    // nothing reaches the buffer before Unlock.
    virtual uint32_t Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* bytes1,
                          void** region2, uint32_t* bytes2) = 0;
    virtual uint32_t Unlock(void* region1, uint32_t bytes1, void* region2, uint32_t bytes2) = 0;
    virtual uint32_t Play(bool looping) = 0;
    virtual uint32_t Stop() = 0;
    virtual uint32_t GetCurrentPosition(uint32_t* play, uint32_t* write) = 0;
    virtual uint32_t SetVolume(int32_t hundredthsDb) = 0;
    virtual uint32_t GetVolume(int32_t* hundredthsDb) = 0;
    virtual uint32_t GetStatus(uint32_t* status) = 0;
    virtual uint32_t Restore() = 0;
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // A silent, stopped buffer of bytes in format (bytes past the last whole frame are not played).
    virtual uint32_t CreateBuffer(const AudioFormat& format, uint32_t bytes,
                                  std::unique_ptr<AudioBuffer>* buffer) = 0;
};

enum class AudioBackend { Real, Headless, None };

// The backend OpenAudioDevice uses from now on; Real until chosen otherwise.
void UseAudioBackend(AudioBackend backend);
AudioBackend GetAudioBackend();

// The real device lives in a library of its own (alembria_platform_audio_sdl, SDL2 under it) that only programs
// playing to the desktop link; platform/backend installs it. Until then the Real backend has no device.
void InstallRealAudioDevice(std::unique_ptr<AudioDevice> (*open)(uint32_t* result));

// Opens the chosen backend's device; null (and *result set) when there is none.
std::unique_ptr<AudioDevice> OpenAudioDevice(uint32_t* result);

// The headless backend keeps what it mixed (interleaved stereo, up to a minute) for tests to check;
// this answers it and starts a new capture. Empty when no headless device is open.
std::vector<int16_t> TakeHeadlessAudioOutput();

// The gain factor of a volume: 10^(hundredths / 2000), exactly 0 at -10000 and below.
float VolumeToGain(int32_t hundredthsDb);

}  // namespace platform
