// Playback of one sound: a device buffer of two seconds split in two halves. The spooler copies
// decoded sound into the half that is not playing, wrapping to the start when looping and padding
// with silence after the end; a sound shorter than the buffer that does not loop is written once
// and played once.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/base/clock.h"
#include "engine/sound/sound_source.h"
#include "platform/audio/audio.h"

class TSoundStream;
class TSoundInstance;

// Told when a stream playing for it is destroyed.
class TStreamNotify {
public:
    virtual ~TStreamNotify() = default;
    virtual void Notify(TSoundStream* stream) = 0;
};

class TStreamSpooler {
public:
    explicit TStreamSpooler(std::shared_ptr<TSoundDataSource> source) : source_(std::move(source)) {}
    virtual ~TStreamSpooler() = default;

    // Fills size bytes of buffer (zeroed first) from the current position, starting again at 0
    // when looping; false once the end of the data was met without looping.
    virtual bool Fill(uint32_t size, void* buffer, uint32_t* written, bool loop);
    virtual void SetPosition(float seconds);
    virtual float GetDuration();
    void Rewind() { SetPosition(0.0f); }
    uint32_t GetPosition() const { return position_; }

private:
    std::shared_ptr<TSoundDataSource> source_;
    uint32_t position_ = 0;
};

class TSoundStream : public std::enable_shared_from_this<TSoundStream> {
public:
    // Makes a stream and registers it with the sound manager (which must exist); the spooler is
    // owned from here on.
    static std::shared_ptr<TSoundStream> New(TStreamSpooler* spooler, bool loop, int group,
                                             std::weak_ptr<TStreamNotify> notify);
    virtual ~TSoundStream();
    TSoundStream(const TSoundStream&) = delete;
    TSoundStream& operator=(const TSoundStream&) = delete;

    // Makes the device buffer (only when the manager has a device) and fills its first half.
    void Create(uint32_t sampleRate, uint32_t channels, uint32_t bitsPerSample, float seconds);
    // Refills the half that is not playing; false once the stream has finished.
    bool Service(bool initial);
    void Play(bool once);
    void Pause(bool pause);
    // Pauses for sound switched off and resumes after; leaves streams the game paused alone.
    void Suspend(bool suspend);
    // 0..1: 1 is full volume, 0.5 -25 dB, 0 silence.
    void SetVolume(float volume);
    // Stops once; retire hands the stream to the manager's finished list, otherwise the manager
    // drops it and it is destroyed before this returns.
    void Stop(bool retire);

    void SetInstance(std::weak_ptr<TSoundInstance> instance) { instance_ = std::move(instance); }
    std::weak_ptr<TSoundInstance> GetInstance() const { return instance_; }
    std::weak_ptr<TStreamNotify> GetNotifyTarget() const { return notify_; }
    int GetGroup() const { return group_; }
    bool IsPaused() const { return paused_; }
    bool IsSuspended() const { return suspended_; }
    bool IsOnce() const { return once_; }
    bool HasSpooler() const { return spooler_ != nullptr; }
    uint32_t GetBufferBytes() const { return bufferBytes_; }
    float GetBufferSeconds() const { return bufferSeconds_; }
    platform::AudioBuffer* GetBuffer() const { return buffer_.get(); }

private:
    TSoundStream(TStreamSpooler* spooler, bool loop, int group, std::weak_ptr<TStreamNotify> notify);
    bool FillHalf(uint32_t offset, uint32_t bytes);

    std::unique_ptr<TStreamSpooler> spooler_;
    std::weak_ptr<TStreamNotify> notify_;
    std::unique_ptr<platform::AudioBuffer> buffer_;
    std::weak_ptr<TSoundInstance> instance_;
    bool ended_ = true;
    bool once_ = false;
    uint32_t bufferBytes_ = 0;
    float bufferSeconds_ = 0.0f;
    int drainCountdown_ = 0;
    int group_;
    bool loop_;
    bool paused_ = false;
    bool suspended_ = false;
    bool stopped_ = false;
    TClock clock_;
    int lastHalf_ = 0;  // 0 none yet, 1 first half, 2 second half
};

// The device volume of a stream volume: -10000 for 0, else -(1 - v) x 5000 truncated.
int32_t StreamVolumeToDevice(float volume);
