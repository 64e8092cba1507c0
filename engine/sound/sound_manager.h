// TSoundManager owns the sound device and every live stream. A service thread refills the
// streams' buffers about twice a second; streams that finish there wait in a finished list until
// the main thread destroys them (NotifyStreams), so sound bookkeeping only changes on the main
// thread. One re-entrant lock ("TSoundManagerMutex") guards streams, sources and lists.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/core/base/clock.h"
#include "engine/core/app/sound_service.h"
#include "platform/audio/audio.h"

class TSoundStream;

// Volume groups the game uses; a group without an entry plays at the master volume.
enum : int { kSoundGroupButtons = 0, kSoundGroupEffects = 1000, kSoundGroupMusic = 1001 };

class TSoundManager : public ISoundManager {
public:
    TSoundManager();
    ~TSoundManager() override;
    TSoundManager(const TSoundManager&) = delete;
    TSoundManager& operator=(const TSoundManager&) = delete;

    // The live manager, null when there is none.
    static TSoundManager* Get();

    // Starts the service thread and opens the device; false (logged) without a device, in which
    // case streams run on their own clocks and nothing is heard.
    bool Init() override;
    // Destroys the streams that finished on the service thread (main thread, message pump idle).
    void NotifyStreams() override;
    // Suspends (off) or resumes (on) every stream; streams the game paused stay paused.
    void EnableSound(bool on) override;
    float GetVolume(int group) const override;
    void SetVolume(float master) override;
    void SetGroupVolume(int group, float volume);

    void Lock() const;
    void Unlock() const;

    void AddStream(const std::shared_ptr<TSoundStream>& stream);
    // Drops the stream from both lists; the last reference gone destroys it at once.
    void RemoveStream(TSoundStream* stream);
    // Moves the stream to the finished list (caller holds the lock).
    void RetireStream(TSoundStream* stream);
    // One service pass: refills every stream when more than 500 ms passed since the last one.
    void ServiceStreams(bool retire);
    void ApplyVolumes();

    bool IsReady() const { return ready_; }
    bool IsShuttingDown() const { return shuttingDown_; }
    bool IsSoundEnabled() const { return soundEnabled_; }
    platform::AudioDevice* GetDevice() const { return device_.get(); }
    size_t ActiveStreamCount() const;
    size_t FinishedStreamCount() const;

private:
    void ServiceThread();
    void ApplyStreamVolume(TSoundStream& stream);

    mutable std::recursive_mutex mutex_;  // "TSoundManagerMutex"
    mutable int lockDepth_ = 0;
    std::unique_ptr<platform::AudioDevice> device_;
    std::vector<std::shared_ptr<TSoundStream>> active_;
    std::vector<std::shared_ptr<TSoundStream>> finished_;
    float master_ = 1.0f;
    std::map<int, float> groups_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    TClock serviceClock_;
    bool ready_ = false;
    bool shuttingDown_ = false;
    bool soundEnabled_ = true;
};

// Holds the manager's lock for a scope; does nothing when no manager exists.
class TSoundLock {
public:
    TSoundLock() : TSoundLock(TSoundManager::Get()) {}
    explicit TSoundLock(const TSoundManager* manager);
    ~TSoundLock();
    TSoundLock(const TSoundLock&) = delete;
    TSoundLock& operator=(const TSoundLock&) = delete;

private:
    const TSoundManager* manager_;
};

// Logs a failed device call as the rest of the sound code does.
void LogSoundError(uint32_t result, const char* source, int line);

// Makes the application's sound services create this manager and register the Ogg source, and
// lets the asset map load sounds. The program calls it before the application starts.
void InstallSoundServices();
