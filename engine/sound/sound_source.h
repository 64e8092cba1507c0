// Decoded sound: 16-bit signed little-endian interleaved PCM addressed by byte offset, with its
// rate, channels, byte length and duration. A registry maps file extensions to the builders that
// open such sources.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/base/tstring.h"

class TSoundDataSource {
public:
    virtual ~TSoundDataSource() = default;
    // Copies up to count bytes starting at byte position; answers the bytes delivered (fewer at
    // the end, 0 past it).
    virtual uint32_t Read(void* buffer, uint32_t position, uint32_t count) = 0;
    virtual uint64_t GetLength() = 0;
    virtual uint32_t GetSampleRate() = 0;
    virtual uint32_t GetChannels() = 0;
    virtual double GetDuration() = 0;
};

// A whole sound decoded into memory.
class TMemDataSource : public TSoundDataSource {
public:
    // Decodes all of source at once (as much of it as decodes).
    explicit TMemDataSource(TSoundDataSource& source);
    uint32_t Read(void* buffer, uint32_t position, uint32_t count) override;
    uint64_t GetLength() override { return length_; }
    uint32_t GetSampleRate() override { return sampleRate_; }
    uint32_t GetChannels() override { return channels_; }
    double GetDuration() override { return duration_; }

private:
    std::vector<uint8_t> samples_;
    uint32_t length_;
    uint32_t channels_;
    uint32_t sampleRate_;
    double duration_;
};

class TSoundDataSourceBuilder {
public:
    virtual ~TSoundDataSourceBuilder() = default;
    virtual std::shared_ptr<TSoundDataSource> Build(const TString& name, bool stream) = 0;
};

// Stores or replaces the builder of an extension (without the dot); the builder is not owned.
void RegisterDataSourceBuilder(const TString& extension, TSoundDataSourceBuilder* builder);
// Forgets every builder (the end of the application; tests).
void ClearDataSourceBuilders();

// The source of a sound file: by its extension's builder, else by probing name + "." + each
// registered extension. stream true decodes from the file as it plays. Empty when nothing fits.
std::shared_ptr<TSoundDataSource> CreateDataSource(const TString& name, bool stream);
