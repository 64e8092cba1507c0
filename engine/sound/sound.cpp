#include "engine/sound/sound.h"

#include <vector>

#include "engine/core/base/log.h"
#include "engine/sound/sound_manager.h"

namespace {

// The group from "group=" in options, else fallback.
int GroupOption(const TString& options, int fallback) {
    int found = options.Find("group=");
    return found < 0 ? fallback : options.Mid(found + 6).ToInt();
}

}  // namespace

void TSoundData::Notify(TSoundStream* stream) {
    std::shared_ptr<TAsset> owner = sound ? sound->weak_from_this().lock() : nullptr;
    if (auto instance = stream->GetInstance().lock())
        instances.erase(instance);
}

TSound::TSound() : data_(std::make_shared<TSoundData>()) {
    data_->sound = this;
}

TSound::~TSound() {
    TSoundLock lock;
    data_->sound = nullptr;
    Stop();
    data_.reset();
}

std::shared_ptr<TSound> TSound::Get(TString name, bool preload, int group) {
    if (name.IsEmpty())
        return nullptr;
    int question = name.FindChar('?');
    if (question >= 0) {
        group = GroupOption(name.Mid(question + 1), group);
        name = name.Mid(0, question);
    }
    TString key = TString::Format("%s;%d;%d", name.CStr(), preload ? 1 : 0, group);
    TAssetManager* assets = GetAssetManager();
    if (assets != nullptr) {
        if (auto cached = AssetCast<TSound>(assets->FindAsset(key)))
            return cached;
    }
    auto sound = std::make_shared<TSound>();
    if (assets != nullptr)
        assets->StoreAsset(key, sound);
    sound->data_->name = name;
    sound->data_->group = group;
    sound->data_->source = CreateDataSource(name, !preload);
    if (!sound->data_->source) {
        LogPrintf("TSound::Get: No valid sound file found: %s", name.CStr());
        return nullptr;
    }
    return sound;
}

std::shared_ptr<TSoundInstance> TSound::Play(bool loop) {
    const std::shared_ptr<TSoundDataSource>& source = data_->source;
    if (!source) {
        LogPrintf("Play of uninitialized sound");
        return nullptr;
    }
    if (TSoundManager::Get() == nullptr) {
        LogPrintf("No Sound Manager");
        return nullptr;
    }
    TSoundLock lock;
    std::shared_ptr<TSoundStream> stream =
        TSoundStream::New(new TStreamSpooler(source), loop, data_->group, data_);
    auto instance = std::make_shared<TSoundInstance>(
        stream.get(), std::static_pointer_cast<TSound>(shared_from_this()));
    data_->instances.insert(instance);
    stream->Create(source->GetSampleRate(), source->GetChannels(), 16, 2.0f);
    // A sound that fits the buffer whole and does not loop is written once and played once.
    bool once = !loop && stream->GetBufferSeconds() > source->GetDuration();
    stream->Play(once);
    stream->SetInstance(instance);
    return instance;
}

bool TSound::StopInstance(const std::shared_ptr<TSoundInstance>& instance) {
    TSoundLock lock;
    if (!instance)
        return false;
    data_->instances.erase(instance);
    TSoundStream* stream = instance->GetStream();
    if (stream != nullptr && stream->GetNotifyTarget().lock().get() == data_.get())
        stream->Stop(false);
    return true;
}

bool TSound::Stop() {
    // A copy: each stop ends a stream whose end notification edits the set.
    std::vector<std::shared_ptr<TSoundInstance>> instances(data_->instances.begin(), data_->instances.end());
    bool stopped = false;
    for (const auto& instance : instances)
        stopped = StopInstance(instance) || stopped;
    return stopped;
}

bool TSound::Pause(bool pause) {
    TSoundLock lock;
    for (const auto& instance : data_->instances) {
        if (TSoundStream* stream = instance->GetStream())
            stream->Pause(pause);
    }
    return !data_->instances.empty();
}

TString BuildGroupedAssetKey(const TString& name, const TString& options) {
    int group = options.IsEmpty() ? 0 : GroupOption(options, 0);
    return TString::Format("%s;%d;%d", name.CStr(), 0, group);
}

void RegisterSoundAssetKinds() {
    TAssetKind kind;
    kind.classId = TSound::ClassId();
    kind.makeKey = BuildGroupedAssetKey;
    // The asset map preloads its sounds; without a group option they play at the master volume.
    kind.load = [](const TString& fileName, const TString& options) -> std::shared_ptr<TAsset> {
        return TSound::Get(fileName + options, true, -1);
    };
    RegisterAssetKind("ogg", kind);
    RegisterAssetKind("spx", kind);
}
