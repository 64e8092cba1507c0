#include "engine/sound/sound_manager.h"

#include <algorithm>

#include "engine/core/base/log.h"
#include "engine/sound/ogg_source.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_state.h"
#include "engine/sound/sound_stream.h"
#include "platform/clock/clock.h"

namespace {

constexpr uint32_t kServicePeriodMs = 500;
constexpr uint32_t kThreadSleepMs = 50;

template <typename List>
std::shared_ptr<TSoundStream> TakeFirst(List& list, TSoundStream* stream) {
    auto found = std::find_if(list.begin(), list.end(),
                              [stream](const auto& entry) { return entry.get() == stream; });
    if (found == list.end())
        return nullptr;
    std::shared_ptr<TSoundStream> taken = std::move(*found);
    list.erase(found);
    return taken;
}

// Empties list; the streams are destroyed after they have left it.
void DestroyStreams(std::vector<std::shared_ptr<TSoundStream>>& list) {
    std::vector<std::shared_ptr<TSoundStream>> leaving;
    leaving.swap(list);
}

}  // namespace

void LogSoundError(uint32_t result, const char* source, int line) {
    LogPrintf("DX Error: %s (0x%x), File %s, Line %d", "", result, source, line);
}

TSoundManager::TSoundManager() {
    GetSoundState().manager = this;
}

TSoundManager::~TSoundManager() {
    Lock();
    stop_ = true;
    Unlock();
    if (thread_.joinable())
        thread_.join();
    shuttingDown_ = true;
    Lock();
    // Streams die outside the lists: their end notifications may come back to the manager.
    DestroyStreams(finished_);
    DestroyStreams(active_);
    Unlock();
    device_.reset();
    TSoundManager* self = this;
    GetSoundState().manager.compare_exchange_strong(self, nullptr);
}

TSoundManager* TSoundManager::Get() {
    return GetSoundState().manager;
}

bool TSoundManager::Init() {
    if (ready_)
        return true;
    if (!thread_.joinable())
        thread_ = std::thread(&TSoundManager::ServiceThread, this);
    TSoundLock lock(this);
    serviceClock_.Reset();
    serviceClock_.Start();
    uint32_t result = platform::kAudioOk;
    device_ = platform::OpenAudioDevice(&result);
    if (device_ == nullptr) {
        LogSoundError(result, "soundmanager", __LINE__);
        return false;
    }
    ready_ = true;
    return true;
}

void TSoundManager::ServiceThread() {
    while (!stop_) {
        Lock();
        if (!stop_)
            ServiceStreams(true);
        Unlock();
        platform::SleepMs(kThreadSleepMs);
    }
}

void TSoundManager::Lock() const {
    mutex_.lock();
    ++lockDepth_;
}

void TSoundManager::Unlock() const {
    --lockDepth_;
    mutex_.unlock();
}

void TSoundManager::AddStream(const std::shared_ptr<TSoundStream>& stream) {
    TSoundLock lock(this);
    active_.push_back(stream);
}

void TSoundManager::RemoveStream(TSoundStream* stream) {
    TSoundLock lock(this);
    // Both references leave the lists before the stream can die.
    std::shared_ptr<TSoundStream> active = TakeFirst(active_, stream);
    std::shared_ptr<TSoundStream> finished = TakeFirst(finished_, stream);
}

void TSoundManager::RetireStream(TSoundStream* stream) {
    std::shared_ptr<TSoundStream> taken = TakeFirst(active_, stream);
    if (taken)
        finished_.push_back(std::move(taken));
}

void TSoundManager::ServiceStreams(bool retire) {
    TSoundLock lock(this);
    if (serviceClock_.GetTime() <= kServicePeriodMs)
        return;
    bool restart = true;
    while (restart) {
        restart = false;
        serviceClock_.Reset();
        serviceClock_.Start();
        for (size_t i = 0; i < active_.size(); ++i) {
            TSoundStream* stream = active_[i].get();
            if (stream->Service(false))
                continue;
            if (retire)
                RetireStream(stream);
            else
                RemoveStream(stream);
            restart = true;
            break;
        }
    }
}

void TSoundManager::NotifyStreams() {
    TSoundLock lock(this);
    DestroyStreams(finished_);
}

void TSoundManager::EnableSound(bool on) {
    TSoundLock lock(this);
    soundEnabled_ = on;
    // Indexing, not iterators: applying volumes never changes the list, but stays safe if it did.
    for (size_t i = 0; i < active_.size(); ++i) {
        active_[i]->Suspend(!on);
        if (on)
            ApplyVolumes();
    }
}

float TSoundManager::GetVolume(int group) const {
    TSoundLock lock(this);
    auto found = groups_.find(group);
    return found == groups_.end() ? master_ : master_ * found->second;
}

void TSoundManager::SetVolume(float master) {
    TSoundLock lock(this);
    master_ = master;
    ApplyVolumes();
}

void TSoundManager::SetGroupVolume(int group, float volume) {
    TSoundLock lock(this);
    groups_[group] = volume;
    ApplyVolumes();
}

void TSoundManager::ApplyVolumes() {
    TSoundLock lock(this);
    for (size_t i = 0; i < active_.size(); ++i)
        ApplyStreamVolume(*active_[i]);
}

// The volume is first set slightly off and then to its value, so the device always sees a change.
void TSoundManager::ApplyStreamVolume(TSoundStream& stream) {
    float volume = GetVolume(stream.GetGroup());
    stream.SetVolume(volume < 0.5f ? volume + 0.05f : volume - 0.05f);
    stream.SetVolume(volume);
}

size_t TSoundManager::ActiveStreamCount() const {
    TSoundLock lock(this);
    return active_.size();
}

size_t TSoundManager::FinishedStreamCount() const {
    TSoundLock lock(this);
    return finished_.size();
}

TSoundLock::TSoundLock(const TSoundManager* manager) : manager_(manager) {
    if (manager_ != nullptr)
        manager_->Lock();
}

TSoundLock::~TSoundLock() {
    if (manager_ != nullptr)
        manager_->Unlock();
}

void InstallSoundServices() {
    SoundServices services;
    services.createManager = []() -> std::unique_ptr<ISoundManager> { return std::make_unique<TSoundManager>(); };
    services.registerOggDataSource = &RegisterOggSourceBuilder;
    SetSoundServices(services);
    RegisterSoundAssetKinds();
}
