#include "engine/sound/sound_source.h"

#include <algorithm>
#include <cstring>

#include "engine/core/files/file.h"
#include "engine/sound/sound_manager.h"
#include "engine/sound/sound_state.h"

TMemDataSource::TMemDataSource(TSoundDataSource& source)
    : channels_(source.GetChannels()), sampleRate_(source.GetSampleRate()), duration_(source.GetDuration()) {
    // Grows with what actually decodes, so a damaged file claiming a huge length costs no more
    // memory than its real sound; the length is then what was decoded.
    const uint32_t chunk = 1 << 20;
    uint64_t wanted = std::min<uint64_t>(source.GetLength(), UINT32_MAX);
    uint32_t done = 0;
    while (done < wanted) {
        uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(chunk, wanted - done));
        samples_.resize(size_t(done) + count);
        uint32_t got = source.Read(samples_.data() + done, done, count);
        done += got;
        if (got < count)
            break;
    }
    samples_.resize(done);
    length_ = done;
}

uint32_t TMemDataSource::Read(void* buffer, uint32_t position, uint32_t count) {
    TSoundLock lock;
    // A position at or past the end delivers nothing (the length - position cut must not wrap).
    if (position >= length_)
        return 0;
    if (count > length_ - position)
        count = length_ - position;
    std::memcpy(buffer, samples_.data() + position, count);
    return count;
}

void RegisterDataSourceBuilder(const TString& extension, TSoundDataSourceBuilder* builder) {
    GetSoundState().builders[extension] = builder;
}

void ClearDataSourceBuilders() {
    GetSoundState().builders.clear();
}

std::shared_ptr<TSoundDataSource> CreateDataSource(const TString& name, bool stream) {
    const auto& builders = GetSoundState().builders;
    int dot = name.FindChar('.', TString::kBackwards);
    if (dot >= 0) {
        auto found = builders.find(name.Mid(dot + 1));
        if (found != builders.end())
            return found->second->Build(name, stream);
    }
    for (const auto& [extension, builder] : builders) {
        if (FileExists(name + "." + extension))
            return builder->Build(name, stream);
    }
    return nullptr;
}
