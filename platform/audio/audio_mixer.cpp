#include "platform/audio/audio_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/clock/clock.h"

namespace platform {

namespace {

constexpr uint64_t kOne = uint64_t(1) << 32;
// How far the write cursor runs ahead of the play cursor, in milliseconds of sound.
constexpr uint32_t kWriteLeadMs = 10;

int16_t ClampSample(float value) {
    return static_cast<int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

}  // namespace

float VolumeToGain(int32_t hundredthsDb) {
    if (hundredthsDb <= kAudioVolumeMin)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

ClockPace::ClockPace() : lastTicks_(TicksMs()) {}

uint32_t ClockPace::TakeDueFrames() {
    uint32_t now = TicksMs();
    elapsedMs_ += now - lastTicks_;
    lastTicks_ = now;
    uint64_t due = elapsedMs_ * kAudioOutputRate / 1000;
    uint32_t frames = static_cast<uint32_t>(due - dueFrames_);
    dueFrames_ = due;
    return frames;
}

void Mixer::AddVoice(MixerVoice* voice) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    voices_.push_back(voice);
}

void Mixer::RemoveVoice(MixerVoice* voice) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

void Mixer::Mix(int16_t* out, uint32_t frames) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    MixLocked(out, frames);
}

void Mixer::MixLocked(int16_t* out, uint32_t frames) {
    accumulator_.assign(size_t(frames) * kAudioOutputChannels, 0.0f);
    for (MixerVoice* voice : voices_)
        voice->MixInto(accumulator_.data(), frames);
    if (out == nullptr)
        return;
    for (size_t i = 0; i < accumulator_.size(); ++i)
        out[i] = ClampSample(accumulator_[i]);
}

MixerVoice::MixerVoice(std::shared_ptr<Mixer> mixer, const AudioFormat& format, uint32_t bytes)
    : mixer_(std::move(mixer)),
      format_(format),
      align_(format.BlockAlign()),
      data_(bytes, 0),
      step_((uint64_t(format.sampleRate) << 32) / kAudioOutputRate) {
    mixer_->AddVoice(this);
}

MixerVoice::~MixerVoice() {
    mixer_->RemoveVoice(this);
}

uint32_t MixerVoice::Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* bytes1,
                          void** region2, uint32_t* bytes2) {
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    mixer_->CatchUpLocked();
    if (locked_ || bytes == 0 || offset >= data_.size() || bytes > data_.size())
        return kAudioErrInvalidParam;
    uint32_t first = std::min<uint32_t>(bytes, GetSize() - offset);
    staging_.resize(bytes);
    std::memcpy(staging_.data(), data_.data() + offset, first);
    std::memcpy(staging_.data() + first, data_.data(), bytes - first);
    locked_ = true;
    lockedOffset_ = offset;
    *region1 = staging_.data();
    *bytes1 = first;
    if (region2 != nullptr)
        *region2 = first < bytes ? staging_.data() + first : nullptr;
    if (bytes2 != nullptr)
        *bytes2 = bytes - first;
    return kAudioOk;
}

uint32_t MixerVoice::Unlock(void* region1, uint32_t bytes1, void* region2, uint32_t bytes2) {
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    mixer_->CatchUpLocked();
    if (!locked_ || region1 != staging_.data() || bytes1 + bytes2 > staging_.size())
        return kAudioErrInvalidParam;
    uint32_t first = std::min<uint32_t>(bytes1, GetSize() - lockedOffset_);
    std::memcpy(data_.data() + lockedOffset_, staging_.data(), first);
    if (region2 != nullptr)
        std::memcpy(data_.data(), staging_.data() + first, bytes2);
    locked_ = false;
    return kAudioOk;
}

uint32_t MixerVoice::Play(bool looping) {
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    mixer_->CatchUpLocked();
    playing_ = true;
    looping_ = looping;
    return kAudioOk;
}

uint32_t MixerVoice::Stop() {
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    mixer_->CatchUpLocked();
    playing_ = false;
    return kAudioOk;
}

uint32_t MixerVoice::PlayCursor() const {
    return static_cast<uint32_t>(position_ >> 32) * align_;
}

uint32_t MixerVoice::GetCurrentPosition(uint32_t* play, uint32_t* write) {
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    mixer_->CatchUpLocked();
    uint32_t playCursor = PlayCursor();
    uint32_t lead = playing_ ? format_.sampleRate * kWriteLeadMs / 1000 * align_ : 0;
    if (play != nullptr)
        *play = playCursor;
    if (write != nullptr)
        *write = static_cast<uint32_t>((uint64_t(playCursor) + lead) % GetSize());
    return kAudioOk;
}

uint32_t MixerVoice::SetVolume(int32_t hundredthsDb) {
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    mixer_->CatchUpLocked();
    if (hundredthsDb < kAudioVolumeMin || hundredthsDb > kAudioVolumeMax)
        return kAudioErrInvalidParam;
    volume_ = hundredthsDb;
    gain_ = VolumeToGain(hundredthsDb);
    return kAudioOk;
}

uint32_t MixerVoice::GetVolume(int32_t* hundredthsDb) {
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    *hundredthsDb = volume_;
    return kAudioOk;
}

uint32_t MixerVoice::GetStatus(uint32_t* status) {
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    mixer_->CatchUpLocked();
    uint32_t bits = 0;
    if (playing_)
        bits |= looping_ ? kAudioStatusPlaying | kAudioStatusLooping : kAudioStatusPlaying;
    *status = bits;
    return kAudioOk;
}

uint32_t MixerVoice::Restore() {
    return kAudioOk;  // software buffers are never lost
}

void MixerVoice::ReadFrame(uint32_t frame, float* left, float* right) const {
    const uint8_t* bytes = data_.data() + size_t(frame) * align_;
    int16_t first;
    std::memcpy(&first, bytes, 2);
    int16_t second = first;
    if (format_.channels > 1)
        std::memcpy(&second, bytes + 2, 2);
    *left = first;
    *right = second;
}

void MixerVoice::MixInto(float* accumulator, uint32_t frames) {
    uint32_t count = FrameCount();
    for (uint32_t i = 0; i < frames && playing_; ++i) {
        uint32_t frame = static_cast<uint32_t>(position_ >> 32);
        float fraction = static_cast<float>(position_ & (kOne - 1)) / static_cast<float>(kOne);
        float left, right;
        ReadFrame(frame, &left, &right);
        if (fraction > 0.0f) {
            float nextLeft = 0.0f, nextRight = 0.0f;
            if (frame + 1 < count || looping_)
                ReadFrame((frame + 1) % count, &nextLeft, &nextRight);
            left += (nextLeft - left) * fraction;
            right += (nextRight - right) * fraction;
        }
        accumulator[2 * i] += left * gain_;
        accumulator[2 * i + 1] += right * gain_;
        position_ += step_;
        if ((position_ >> 32) < count)
            continue;
        if (looping_) {
            // A step longer than the whole buffer (a rate far above the output's) wraps more than once.
            position_ %= uint64_t(count) << 32;
        } else {
            playing_ = false;
            position_ = 0;
        }
    }
}

uint32_t MixerDevice::CreateBuffer(const AudioFormat& format, uint32_t bytes,
                                   std::unique_ptr<AudioBuffer>* buffer) {
    buffer->reset();
    if (format.bitsPerSample != 16 || format.channels == 0 || format.sampleRate == 0)
        return kAudioErrBadFormat;
    if (bytes < format.BlockAlign())
        return kAudioErrInvalidParam;
    std::lock_guard<std::recursive_mutex> hold(mixer_->Mutex());
    mixer_->CatchUpLocked();
    *buffer = std::make_unique<MixerVoice>(mixer_, format, bytes);
    return kAudioOk;
}

}  // namespace platform
