#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/engine/sound/sound_fixture.h"
#include "tests/engine/sound/sound_test_util.h"

namespace {

using soundtest::TRampSource;

class SoundStreamTest : public soundtest::ManagerTest {
protected:
    // The frame whose sample sits at byte offset of the stream's buffer: -1 for silence.
    static int FrameAt(TSoundStream& stream, uint32_t offset) {
        TSoundLock lock;
        void* region = nullptr;
        uint32_t bytes = 0;
        EXPECT_EQ(stream.GetBuffer()->Lock(offset, 8, &region, &bytes, nullptr, nullptr), platform::kAudioOk);
        int16_t samples[4];
        std::memcpy(samples, region, 8);
        stream.GetBuffer()->Unlock(region, bytes, nullptr, 0);
        uint32_t channels = bytes == 8 && samples[1] == -samples[0] ? 2 : 1;
        if (samples[0] == 0 && samples[channels] == 0)
            return -1;
        return samples[0];
    }
    static int Expected(int frame) { return frame < 0 ? -1 : TRampSource::SampleOf(frame, 0); }

    static bool IsPlaying(TSoundStream& stream) {
        uint32_t status = 0;
        stream.GetBuffer()->GetStatus(&status);
        return status & platform::kAudioStatusPlaying;
    }
};

TEST_F(SoundStreamTest, BuffersHoldTwoSecondsInWholeEightByteSteps) {
    struct Case {
        uint32_t rate, channels, bytes;
        float seconds;
    } cases[] = {
        {44100, 2, 352800, 2.0f},
        {22050, 1, 88200, 2.0f},
        {11025, 1, 44104, 44104.0f / 22050.0f},
        {8000, 3, 96000, 2.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        auto stream = Start(std::make_shared<TRampSource>(c.rate, c.channels, c.rate * 5), false);
        EXPECT_EQ(stream->GetBufferBytes(), c.bytes);
        EXPECT_FLOAT_EQ(stream->GetBufferSeconds(), c.seconds);
        EXPECT_EQ(stream->GetBuffer()->GetSize(), c.bytes);
        stream->Stop(false);
    }
}

// A 5-second sound, not looping, plays through the ring: each pass refills the half that is not
// playing; after the data one silent half plays, then the stream finishes.
TEST_F(SoundStreamTest, RingRefillsHalvesThenDrainsAfterTheEnd) {
    const uint32_t half = 176400;
    auto stream = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), false);
    ASSERT_TRUE(initResult_);
    EXPECT_FALSE(stream->IsOnce());
    EXPECT_EQ(FrameAt(*stream, 4), Expected(1));
    EXPECT_EQ(FrameAt(*stream, half - 4), Expected(44099));
    struct Moment {
        uint32_t time;
        int firstHalf, secondHalf;  // frame at the start of each half, -1 silence
        bool active;
    } moments[] = {
        {600, 0, 44100, true},        {1200, 88200, 44100, true},   {1800, 88200, 44100, true},
        {2400, 88200, 132300, true},  {3000, 88200, 132300, true},  {3600, 176400, 132300, true},
        {4200, 176400, -1, true},     {4800, 176400, -1, true},     {5400, -1, -1, true},
        {6000, -1, -1, false},
    };
    uint32_t now = 0;
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.time);
        Step(moment.time - now);
        now = moment.time;
        EXPECT_EQ(FrameAt(*stream, 4), moment.firstHalf < 0 ? -1 : Expected(moment.firstHalf + 1));
        EXPECT_EQ(FrameAt(*stream, half + 4), moment.secondHalf < 0 ? -1 : Expected(moment.secondHalf + 1));
        EXPECT_EQ(manager_->ActiveStreamCount(), moment.active ? 1u : 0u);
    }
    EXPECT_EQ(manager_->FinishedStreamCount(), 1u);
    EXPECT_FALSE(stream->HasSpooler());
    EXPECT_FALSE(IsPlaying(*stream));
    manager_->NotifyStreams();
    EXPECT_EQ(manager_->FinishedStreamCount(), 0u);
    EXPECT_TRUE(stream.unique()) << "the manager let go of it";
}

TEST_F(SoundStreamTest, ShortSoundPlaysOnceAndFinishes) {
    auto stream = Start(std::make_shared<TRampSource>(44100, 2, 22050), false);  // 0.5 s
    EXPECT_TRUE(stream->IsOnce());
    uint32_t status = 0;
    stream->GetBuffer()->GetStatus(&status);
    EXPECT_EQ(status, platform::kAudioStatusPlaying) << "not looping";
    EXPECT_EQ(FrameAt(*stream, 22049 * 4), Expected(22049));
    EXPECT_EQ(FrameAt(*stream, 22050 * 4), -1);
    Step(600);
    EXPECT_EQ(manager_->ActiveStreamCount(), 1u);
    Step(600);
    EXPECT_EQ(manager_->ActiveStreamCount(), 0u);
    EXPECT_EQ(manager_->FinishedStreamCount(), 1u);
}

// With passes too rare to see the halves change, the one-shot buffer that ran out (both cursors
// back at 0) still ends the stream.
TEST_F(SoundStreamTest, OneShotBufferThatRanOutEndsByItsCursors) {
    auto stream = Start(std::make_shared<TRampSource>(44100, 2, 22050), false);
    Step(2500);
    EXPECT_FALSE(IsPlaying(*stream));
    EXPECT_EQ(manager_->ActiveStreamCount(), 1u);
    Step(600);
    EXPECT_EQ(manager_->ActiveStreamCount(), 0u);
}

TEST_F(SoundStreamTest, LoopingShortSoundRepeatsWithinEachHalf) {
    const uint32_t frames = 13230;  // 0.3 s
    auto stream = Start(std::make_shared<TRampSource>(44100, 2, frames), true);
    EXPECT_FALSE(stream->IsOnce());
    EXPECT_EQ(FrameAt(*stream, (frames - 1) * 4), Expected(frames - 1));
    EXPECT_EQ(FrameAt(*stream, frames * 4 + 4), Expected(1));
    EXPECT_EQ(FrameAt(*stream, 3 * frames * 4 + 4), Expected(1));
    Step(600);
    EXPECT_EQ(FrameAt(*stream, 176400 + 4), Expected(44100 % frames + 1));
    for (int i = 0; i < 20; ++i)
        Step(600);
    EXPECT_EQ(manager_->ActiveStreamCount(), 1u) << "looping never ends";
}

TEST_F(SoundStreamTest, EmptySourceEndsEveryFillAtOnce) {
    TStreamSpooler spooler(std::make_shared<TRampSource>(44100, 2, 0));
    uint8_t bytes[64];
    uint32_t written = 1;
    EXPECT_FALSE(spooler.Fill(64, bytes, &written, true));
    EXPECT_FALSE(spooler.Fill(64, bytes, &written, false));
    EXPECT_EQ(written, 0u);
    TStreamSpooler none(nullptr);
    EXPECT_TRUE(none.Fill(64, bytes, &written, false));
}

TEST_F(SoundStreamTest, SpoolerWrapsWhenLoopingAndPadsWithSilence) {
    auto source = std::make_shared<TRampSource>(44100, 1, 10);  // 20 bytes
    TStreamSpooler looping(source);
    int16_t samples[25];
    uint32_t written = 0;
    EXPECT_TRUE(looping.Fill(50, samples, &written, true));
    EXPECT_EQ(written, 50u);
    EXPECT_EQ(samples[9], 9);
    EXPECT_EQ(samples[10], 0);
    EXPECT_EQ(samples[24], 4);
    TStreamSpooler once(source);
    EXPECT_FALSE(once.Fill(50, samples, &written, false));
    EXPECT_EQ(written, 20u);
    EXPECT_EQ(samples[9], 9);
    EXPECT_EQ(samples[12], 0);
    once.Rewind();
    EXPECT_EQ(once.GetPosition(), 0u);
    once.SetPosition(0.0001f);
    EXPECT_EQ(once.GetPosition(), 8u);  // 4.41 frames of 2 bytes, truncated
}

TEST_F(SoundStreamTest, VolumeMapsToHundredthsOfADecibel) {
    struct Case {
        float volume;
        int32_t device;
    } cases[] = {{1.0f, 0}, {0.5f, -2500}, {0.0f, -10000}, {0.01f, -4950}, {0.45f, -2750},
                 {1.5f, 0},  {-0.2f, -10000}, {std::nanf(""), -10000}};
    auto stream = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.volume);
        EXPECT_EQ(StreamVolumeToDevice(c.volume), c.device);
        stream->SetVolume(c.volume);
        int32_t device = 1;
        stream->GetBuffer()->GetVolume(&device);
        EXPECT_EQ(device, c.device);
    }
}

TEST_F(SoundStreamTest, GroupAndMasterVolumesReachEveryStream) {
    auto music = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true, kSoundGroupMusic);
    auto other = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true, 7);
    auto volumeOf = [](TSoundStream& stream) {
        int32_t device = 1;
        stream.GetBuffer()->GetVolume(&device);
        return device;
    };
    manager_->SetGroupVolume(kSoundGroupMusic, 0.5f);
    EXPECT_FLOAT_EQ(manager_->GetVolume(kSoundGroupMusic), 0.5f);
    EXPECT_FLOAT_EQ(manager_->GetVolume(7), 1.0f) << "no entry: the master volume";
    EXPECT_EQ(volumeOf(*music), -2500);
    EXPECT_EQ(volumeOf(*other), 0);
    manager_->SetVolume(0.0f);
    EXPECT_EQ(volumeOf(*music), -10000);
    EXPECT_EQ(volumeOf(*other), -10000);
    manager_->SetVolume(0.75f);
    EXPECT_FLOAT_EQ(manager_->GetVolume(kSoundGroupMusic), 0.375f);
    EXPECT_EQ(volumeOf(*music), -3125);
    EXPECT_EQ(volumeOf(*other), -1250);
    // A new stream starts at its group's volume.
    auto late = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true, kSoundGroupMusic);
    EXPECT_EQ(volumeOf(*late), -3125);
}

TEST_F(SoundStreamTest, SwitchingSoundOffAndOnLeavesGamePausesAlone) {
    auto playing = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true);
    auto paused = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true);
    paused->Pause(true);
    manager_->EnableSound(false);
    EXPECT_FALSE(manager_->IsSoundEnabled());
    EXPECT_TRUE(playing->IsSuspended());
    EXPECT_FALSE(IsPlaying(*playing));
    EXPECT_FALSE(paused->IsSuspended());
    // Started while sound is off: waits paused and suspended.
    auto late = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true);
    EXPECT_TRUE(late->IsPaused());
    EXPECT_TRUE(late->IsSuspended());
    EXPECT_FALSE(IsPlaying(*late));
    manager_->EnableSound(true);
    EXPECT_TRUE(IsPlaying(*playing));
    EXPECT_TRUE(IsPlaying(*late));
    EXPECT_FALSE(late->IsPaused());
    EXPECT_FALSE(IsPlaying(*paused));
    EXPECT_TRUE(paused->IsPaused());
}

TEST_F(SoundStreamTest, PauseHoldsThePlaceAndResumeContinuesThere) {
    auto stream = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true);
    Step(300);
    uint32_t before = 0, after = 0, write = 0;
    stream->Pause(true);
    stream->GetBuffer()->GetCurrentPosition(&before, &write);
    EXPECT_EQ(before, 13230u * 4);
    Step(2000);
    stream->GetBuffer()->GetCurrentPosition(&after, &write);
    EXPECT_EQ(after, before);
    stream->Pause(false);
    platform::AdvanceTestClock(100);
    stream->GetBuffer()->GetCurrentPosition(&after, &write);
    EXPECT_EQ(after, before + 4410 * 4);
}

TEST_F(SoundStreamTest, StopRemovesOnceAndRetireWaitsForTheMainThread) {
    auto removed = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true);
    auto retired = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 5), true);
    removed->Stop(false);
    removed->Stop(false);
    EXPECT_EQ(manager_->ActiveStreamCount(), 1u);
    EXPECT_TRUE(removed.unique());
    retired->Stop(true);
    EXPECT_EQ(manager_->ActiveStreamCount(), 0u);
    EXPECT_EQ(manager_->FinishedStreamCount(), 1u);
    manager_->NotifyStreams();
    EXPECT_TRUE(retired.unique());
}

class NoDeviceTest : public soundtest::ManagerTest {
protected:
    void SetUp() override {}
};

// Without a device nothing is heard, yet streams run on their own clocks and end by them.
TEST_F(NoDeviceTest, InitFailsAndStreamsRetireByTheirClocks) {
    soundtest::LogCapture log;
    StartManager(platform::AudioBackend::None);
    EXPECT_FALSE(initResult_);
    EXPECT_FALSE(manager_->IsReady());
    EXPECT_TRUE(log.Contains("DX Error:  (0x88780078), File soundmanager, Line "));
    for (bool loop : {false, true}) {
        SCOPED_TRACE(loop);
        auto stream = Start(std::make_shared<TRampSource>(44100, 2, 44100 * 3), loop);
        EXPECT_EQ(stream->GetBuffer(), nullptr);
        for (int i = 0; i < 5; ++i)
            Step(600);
        EXPECT_EQ(manager_->ActiveStreamCount(), 1u) << "3.0 s have passed, not more";
        Step(600);
        EXPECT_EQ(manager_->ActiveStreamCount(), 0u);
        EXPECT_EQ(manager_->FinishedStreamCount(), 1u);
        manager_->NotifyStreams();
    }
}

TEST_F(NoDeviceTest, ServicePassesWaitMoreThanHalfASecond) {
    StartManager(platform::AudioBackend::None);
    auto stream = Start(std::make_shared<TRampSource>(44100, 2, 100), false);  // ends at once
    Step(500);
    EXPECT_EQ(manager_->ActiveStreamCount(), 1u) << "500 ms is not enough";
    Step(1);
    EXPECT_EQ(manager_->ActiveStreamCount(), 0u);
}

}  // namespace
