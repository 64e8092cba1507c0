// Helpers of the sound tests: Ogg Vorbis files made on the spot, an exact PCM source, the log.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/sound/sound_source.h"

namespace soundtest {

// An Ogg Vorbis file of a 440 Hz tone.
std::vector<uint8_t> EncodeTone(uint32_t rate, uint32_t channels, uint32_t frames);

// Makes bytes readable by the file layer under name (kept alive until ForgetFiles).
void AddFile(const std::string& name, std::vector<uint8_t> bytes);
void ForgetFiles();

// PCM whose every sample is its frame index modulo 30000 (negated on the second channel), so any
// byte of a buffer tells where in the sound it came from.
class TRampSource : public TSoundDataSource {
public:
    TRampSource(uint32_t rate, uint32_t channels, uint32_t frames)
        : rate_(rate), channels_(channels), frames_(frames) {}
    uint32_t Read(void* buffer, uint32_t position, uint32_t count) override;
    uint64_t GetLength() override { return uint64_t(frames_) * channels_ * 2; }
    uint32_t GetSampleRate() override { return rate_; }
    uint32_t GetChannels() override { return channels_; }
    double GetDuration() override { return double(frames_) / rate_; }

    static int16_t SampleOf(uint32_t frame, uint32_t channel);

private:
    uint32_t rate_, channels_, frames_;
};

// Starts the log in a fresh temporary folder; Text answers everything logged since.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    std::string Text() const;
    bool Contains(const std::string& text) const { return Text().find(text) != std::string::npos; }

private:
    std::string folder_;
};

}  // namespace soundtest
