// Ogg Vorbis sources, decoded with vorbisfile through the file layer (so packed files work).
// The compressed file is either read as it plays or kept whole in memory.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/sound/sound_source.h"

struct OggVorbis_File;

class TOggDataSource : public TSoundDataSource {
public:
    TOggDataSource() = default;
    ~TOggDataSource() override;
    TOggDataSource(const TOggDataSource&) = delete;
    TOggDataSource& operator=(const TOggDataSource&) = delete;

    // Opens name, else name + ".ogg"; streamFromFile false reads the whole compressed file into
    // memory first. False when no file opens or it is not Ogg Vorbis (logged).
    virtual bool Open(const TString& name, bool streamFromFile);

    uint32_t Read(void* buffer, uint32_t position, uint32_t count) override;
    uint64_t GetLength() override { return length_; }
    uint32_t GetSampleRate() override { return sampleRate_; }
    uint32_t GetChannels() override { return channels_; }
    double GetDuration() override { return duration_; }

private:
    bool OpenDecoder(void* file, bool fromMemory);
    void Clear();

    uint32_t sampleRate_ = 0;
    uint32_t channels_ = 0;
    double duration_ = 0.0;
    uint64_t length_ = 0;
    OggVorbis_File* decoder_ = nullptr;
    uint32_t decoderPosition_ = 0;
};

// Registers the Ogg builder under "ogg" (start-up).
void RegisterOggSourceBuilder();
