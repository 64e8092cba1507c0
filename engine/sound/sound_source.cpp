#include "engine/sound/sound_source.h"

#include <cstring>
#include <map>

#include "engine/core/file.h"
#include "engine/sound/sound_manager.h"

namespace {

std::map<TString, TSoundDataSourceBuilder*>& Builders() {
    static std::map<TString, TSoundDataSourceBuilder*> builders;
    return builders;
}

}  // namespace

TMemDataSource::TMemDataSource(TSoundDataSource& source)
    : length_(static_cast<uint32_t>(source.GetLength())),
      channels_(source.GetChannels()),
      sampleRate_(source.GetSampleRate()),
      duration_(source.GetDuration()) {
    samples_.resize(length_);
    source.Read(samples_.data(), 0, length_);
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
    Builders()[extension] = builder;
}

void ClearDataSourceBuilders() {
    Builders().clear();
}

std::shared_ptr<TSoundDataSource> CreateDataSource(const TString& name, bool stream) {
    int dot = name.FindChar('.', TString::kBackwards);
    if (dot >= 0) {
        auto found = Builders().find(name.Mid(dot + 1));
        if (found != Builders().end())
            return found->second->Build(name, stream);
    }
    for (const auto& [extension, builder] : Builders()) {
        if (FileExists(name + "." + extension))
            return builder->Build(name, stream);
    }
    return nullptr;
}
