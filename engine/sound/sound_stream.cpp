#include "engine/sound/sound_stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/sound/sound.h"
#include "engine/sound/sound_manager.h"

namespace {

constexpr uint32_t kMinBufferBytes = 4;
constexpr uint32_t kMaxBufferBytes = 0x0FFFFFFF;
constexpr uint32_t kUnknownCursor = 0xFFFFFFFF;

uint32_t BufferBytes(uint64_t bytesPerSecond, float seconds) {
    auto bytes = static_cast<uint64_t>(bytesPerSecond * static_cast<double>(seconds) + 0.5);
    bytes = (bytes + 7) & ~uint64_t(7);
    return static_cast<uint32_t>(std::clamp<uint64_t>(bytes, kMinBufferBytes, kMaxBufferBytes));
}

}  // namespace

int32_t StreamVolumeToDevice(float volume) {
    volume = std::clamp(volume, 0.0f, 1.0f);
    if (!(volume > 0.0f))  // exactly 0, or not a number
        return platform::kAudioVolumeMin;
    return static_cast<int32_t>(-(1.0f - volume) * 5000.0f);
}

bool TStreamSpooler::Fill(uint32_t size, void* buffer, uint32_t* written, bool loop) {
    std::memset(buffer, 0, size);
    *written = 0;
    if (!source_ || size == 0)
        return true;
    auto* out = static_cast<uint8_t*>(buffer);
    uint32_t remaining = size;
    bool end = false;
    while (remaining > 0) {
        if (end)
            return false;
        uint64_t length = source_->GetLength();
        uint32_t count = remaining;
        if (length <= UINT32_MAX && uint64_t(position_) + remaining > length) {
            end = true;
            count = position_ < length ? static_cast<uint32_t>(length - position_) : 0;
        }
        uint32_t got = source_->Read(out + *written, position_, count);
        if (got < count) {
            end = true;
            count = got;
        }
        // A source that gives nothing even from its start would loop forever.
        if (end && count == 0 && position_ == 0)
            return false;
        position_ += count;
        *written += count;
        remaining -= count;
        if (end && loop) {
            end = false;
            position_ = 0;
        }
    }
    return !end;
}

void TStreamSpooler::SetPosition(float seconds) {
    if (!source_)
        return;
    position_ = static_cast<uint32_t>(seconds * source_->GetSampleRate() * source_->GetChannels() * 2);
}

float TStreamSpooler::GetDuration() {
    return source_ ? static_cast<float>(source_->GetDuration()) : 0.0f;
}

std::shared_ptr<TSoundStream> TSoundStream::New(TStreamSpooler* spooler, bool loop, int group,
                                                std::weak_ptr<TStreamNotify> notify) {
    std::shared_ptr<TSoundStream> stream(new TSoundStream(spooler, loop, group, std::move(notify)));
    if (TSoundManager* manager = TSoundManager::Get())
        manager->AddStream(stream);
    return stream;
}

TSoundStream::TSoundStream(TStreamSpooler* spooler, bool loop, int group, std::weak_ptr<TStreamNotify> notify)
    : spooler_(spooler), notify_(std::move(notify)), group_(group), loop_(loop) {}

TSoundStream::~TSoundStream() {
    TSoundLock lock;
    spooler_.reset();
    if (auto target = notify_.lock())
        target->Notify(this);
    if (auto instance = instance_.lock())
        instance->ClearStream();
    if (buffer_)
        buffer_->Stop();
}

void TSoundStream::Create(uint32_t sampleRate, uint32_t channels, uint32_t bitsPerSample, float seconds) {
    TSoundLock lock;
    TSoundManager* manager = TSoundManager::Get();
    if (manager == nullptr || !manager->IsReady())
        return;
    platform::AudioFormat format{sampleRate, channels, bitsPerSample};
    // 64 bits: a damaged file may claim a rate and channel count whose product wraps 32 bits.
    uint64_t bytesPerSecond = uint64_t(format.BlockAlign()) * sampleRate;
    if (bytesPerSecond == 0)
        return;
    bufferBytes_ = BufferBytes(bytesPerSecond, seconds);
    bufferSeconds_ = static_cast<float>(bufferBytes_) / static_cast<float>(bytesPerSecond);
    uint32_t result = manager->GetDevice()->CreateBuffer(format, bufferBytes_, &buffer_);
    if (result != platform::kAudioOk) {
        LogSoundError(result, "soundstream", __LINE__);
        buffer_.reset();
        return;
    }
    drainCountdown_ = static_cast<int>(bufferBytes_);
    ended_ = false;
    lastHalf_ = 0;
    Service(true);
}

bool TSoundStream::Service(bool initial) {
    TSoundLock lock;
    if (!buffer_)
        return !(spooler_ && spooler_->GetDuration() < clock_.GetTime() / 1000.0f);
    uint32_t play = kUnknownCursor, write = kUnknownCursor;
    uint32_t result = buffer_->GetCurrentPosition(&play, &write);
    if (result != platform::kAudioOk) {
        LogSoundError(result, "soundstream", __LINE__);
        play = write = kUnknownCursor;
    }
    uint32_t half = bufferBytes_ / 2;
    int chosen;
    if (initial)
        chosen = 1;
    else if (write < half)
        chosen = 2;
    else if (play <= half)
        return true;
    else
        chosen = 1;
    if (chosen == lastHalf_)
        return !(once_ && play >= write);  // a one-shot buffer that has run out
    lastHalf_ = chosen;
    if (ended_) {
        drainCountdown_ -= static_cast<int>(half);
        if (drainCountdown_ <= 0) {
            buffer_->Stop();
            spooler_.reset();
            return false;
        }
    }
    return FillHalf(chosen == 1 ? 0 : half, half);
}

bool TSoundStream::FillHalf(uint32_t offset, uint32_t bytes) {
    void* region1 = nullptr;
    void* region2 = nullptr;
    uint32_t bytes1 = 0, bytes2 = 0;
    uint32_t result = buffer_->Lock(offset, bytes, &region1, &bytes1, &region2, &bytes2);
    if (result != platform::kAudioOk) {
        LogSoundError(result, "soundstream", __LINE__);
        return false;
    }
    uint32_t written = 0;
    if (spooler_)
        ended_ = !spooler_->Fill(bytes1, region1, &written, loop_);
    else
        std::memset(region1, 0, bytes1);
    result = buffer_->Unlock(region1, bytes1, region2, bytes2);
    if (result != platform::kAudioOk)
        LogSoundError(result, "soundstream", __LINE__);
    return true;
}

void TSoundStream::Play(bool once) {
    TSoundLock lock;
    if (once)
        once_ = true;
    TSoundManager* manager = TSoundManager::Get();
    if (buffer_ && manager != nullptr) {
        SetVolume(manager->GetVolume(group_));
        if (manager->IsSoundEnabled()) {
            uint32_t result = buffer_->Play(!once_);
            if (result != platform::kAudioOk)
                LogSoundError(result, "soundstream", __LINE__);
        } else {
            paused_ = true;
            suspended_ = true;
        }
    }
    clock_.Reset();
    clock_.Start();
}

void TSoundStream::Pause(bool pause) {
    TSoundLock lock;
    if (buffer_) {
        if (pause) {
            paused_ = true;
            uint32_t result = buffer_->Stop();
            if (result != platform::kAudioOk)
                LogSoundError(result, "soundstream", __LINE__);
            suspended_ = false;
        } else {
            paused_ = false;
            Play(once_);
        }
    }
    if (pause)
        clock_.Pause();
    else
        clock_.Start();
}

void TSoundStream::Suspend(bool suspend) {
    TSoundLock lock;
    if (suspend && !paused_) {
        Pause(true);
        suspended_ = true;
    } else if (!suspend && suspended_) {
        Pause(false);
        suspended_ = false;
    }
}

void TSoundStream::SetVolume(float volume) {
    TSoundLock lock;
    if (!buffer_)
        return;
    uint32_t status = 0;
    uint32_t result = buffer_->GetStatus(&status);
    if (result != platform::kAudioOk)
        LogSoundError(result, "soundstream", __LINE__);
    if (status & platform::kAudioStatusBufferLost) {
        result = buffer_->Restore();
        if (result != platform::kAudioOk)
            LogSoundError(result, "soundstream", __LINE__);
    }
    result = buffer_->SetVolume(StreamVolumeToDevice(volume));
    if (result != platform::kAudioOk)
        LogSoundError(result, "soundstream", __LINE__);
}

void TSoundStream::Stop(bool retire) {
    TSoundLock lock;
    if (stopped_)
        return;
    stopped_ = true;
    if (buffer_)
        buffer_->Stop();
    TSoundManager* manager = TSoundManager::Get();
    if (manager == nullptr)
        return;
    if (retire)
        manager->RetireStream(this);
    else
        manager->RemoveStream(this);  // may destroy this stream: nothing may follow
}
