#include "platform/audio/audio.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <future>
#include <thread>

#include "platform/audio/audio_sdl.h"
#include "platform/audio/deferred_device.h"
#include "platform/clock/clock.h"

namespace platform {
namespace {

class ClockAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTestClock(1000);
        UseClockBackend(ClockBackend::Test);
        UseAudioBackend(AudioBackend::Headless);
        uint32_t result = 1;
        device_ = OpenAudioDevice(&result);
        ASSERT_EQ(result, kAudioOk);
        ASSERT_NE(device_, nullptr);
    }
    void TearDown() override {
        device_.reset();
        UseAudioBackend(AudioBackend::Real);
        UseClockBackend(ClockBackend::Real);
    }

    std::unique_ptr<AudioBuffer> MakeBuffer(uint32_t rate, uint32_t channels, uint32_t bytes) {
        AudioFormat format{rate, channels, 16};
        std::unique_ptr<AudioBuffer> buffer;
        EXPECT_EQ(device_->CreateBuffer(format, bytes, &buffer), kAudioOk);
        return buffer;
    }

    // Writes the same sample value into every sample slot of the buffer.
    static void FillConstant(AudioBuffer& buffer, int16_t value) {
        void* region1 = nullptr;
        void* region2 = nullptr;
        uint32_t bytes1 = 0, bytes2 = 0;
        ASSERT_EQ(buffer.Lock(0, buffer.GetSize(), &region1, &bytes1, &region2, &bytes2), kAudioOk);
        auto* samples = static_cast<int16_t*>(region1);
        for (uint32_t i = 0; i < bytes1 / 2; ++i)
            samples[i] = value;
        ASSERT_EQ(buffer.Unlock(region1, bytes1, region2, bytes2), kAudioOk);
    }

    std::unique_ptr<AudioDevice> device_;
};

TEST_F(ClockAudioTest, CursorsAdvanceWithTheClockAtEachBuffersOwnRate) {
    struct Case {
        uint32_t rate, channels, advanceMs, expectedPlay;
    } cases[] = {
        {44100, 2, 500, 22050 * 4},
        {22050, 1, 500, 11025 * 2},
        {11025, 2, 1000, 11025 * 4},
        {44100, 1, 250, 11025 * 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " ch");
        uint32_t align = 2 * c.channels;
        auto buffer = MakeBuffer(c.rate, c.channels, c.rate * align * 2);
        ASSERT_EQ(buffer->Play(true), kAudioOk);
        AdvanceTestClock(c.advanceMs);
        uint32_t play = 0, write = 0;
        ASSERT_EQ(buffer->GetCurrentPosition(&play, &write), kAudioOk);
        EXPECT_EQ(play, c.expectedPlay);
        EXPECT_EQ(write, play + c.rate / 100 * align);  // ten milliseconds ahead
        buffer->Stop();
        AdvanceTestClock(300);
        buffer->GetCurrentPosition(&play, &write);
        EXPECT_EQ(play, c.expectedPlay) << "a stopped buffer keeps its place";
        EXPECT_EQ(write, play);
    }
}

TEST_F(ClockAudioTest, LoopingWrapsAndPlayingOnceStopsAtTheEndBackAtZero) {
    auto looping = MakeBuffer(44100, 2, 44100 * 4);  // one second
    auto once = MakeBuffer(44100, 2, 44100 * 4);
    looping->Play(true);
    once->Play(false);
    AdvanceTestClock(1250);
    uint32_t play = 0, write = 0, status = 0;
    looping->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 11025u * 4);
    looping->GetStatus(&status);
    EXPECT_EQ(status, kAudioStatusPlaying | kAudioStatusLooping);
    once->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(write, 0u);
    once->GetStatus(&status);
    EXPECT_EQ(status, 0u);
}

TEST_F(ClockAudioTest, WriteCursorWrapsPastTheEnd) {
    auto buffer = MakeBuffer(44100, 2, 44100 * 4);
    buffer->Play(true);
    AdvanceTestClock(995);
    uint32_t play = 0, write = 0;
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 43879u * 4);  // 995 ms = 43,879.5 frames
    EXPECT_EQ(write, (43879u + 441u - 44100u) * 4);
}

TEST_F(ClockAudioTest, LockSplitsAtTheEndAndNothingArrivesBeforeUnlock) {
    auto buffer = MakeBuffer(44100, 1, 1000);
    void* region1 = nullptr;
    void* region2 = nullptr;
    uint32_t bytes1 = 0, bytes2 = 0;
    ASSERT_EQ(buffer->Lock(800, 400, &region1, &bytes1, &region2, &bytes2), kAudioOk);
    EXPECT_EQ(bytes1, 200u);
    EXPECT_EQ(bytes2, 200u);
    EXPECT_NE(region2, nullptr);
    std::memset(region1, 0x7f, bytes1);
    std::memset(region2, 0x7f, bytes2);
    EXPECT_EQ(buffer->Lock(0, 2, &region1, &bytes1, nullptr, nullptr), kAudioErrInvalidParam)
        << "one lock at a time";
    buffer->Play(true);
    AdvanceTestClock(10);
    std::vector<int16_t> before = TakeHeadlessAudioOutput();
    for (int16_t sample : before)
        ASSERT_EQ(sample, 0);
    ASSERT_EQ(buffer->Unlock(region1, bytes1, region2, bytes2), kAudioOk);
    // 882 more frames of the 500-frame ring, from frame 441: 441-499, 0-499, 0-322. Frames 0-99
    // and 400-499 were written: 59 + 200 + 100 of them play, on both sides.
    AdvanceTestClock(20);
    std::vector<int16_t> after = TakeHeadlessAudioOutput();
    int loud = 0;
    for (int16_t sample : after)
        loud += sample == 0x7f7f;
    EXPECT_EQ(loud, 2 * (59 + 200 + 100));
}

TEST_F(ClockAudioTest, BadCallsAreRefused) {
    std::unique_ptr<AudioBuffer> buffer;
    EXPECT_EQ(device_->CreateBuffer({44100, 2, 8}, 4000, &buffer), kAudioErrBadFormat);
    EXPECT_EQ(device_->CreateBuffer({0, 2, 16}, 4000, &buffer), kAudioErrBadFormat);
    EXPECT_EQ(device_->CreateBuffer({44100, 2, 16}, 2, &buffer), kAudioErrInvalidParam);
    EXPECT_EQ(buffer, nullptr);
    buffer = MakeBuffer(44100, 2, 4000);
    void* region = nullptr;
    uint32_t bytes = 0;
    EXPECT_EQ(buffer->Lock(4000, 4, &region, &bytes, nullptr, nullptr), kAudioErrInvalidParam);
    EXPECT_EQ(buffer->Lock(0, 4004, &region, &bytes, nullptr, nullptr), kAudioErrInvalidParam);
    EXPECT_EQ(buffer->Unlock(region, 4, nullptr, 0), kAudioErrInvalidParam) << "not locked";
    EXPECT_EQ(buffer->SetVolume(1), kAudioErrInvalidParam);
    EXPECT_EQ(buffer->SetVolume(-10001), kAudioErrInvalidParam);
}

TEST_F(ClockAudioTest, VolumeScalesTheMixedOutput) {
    struct Case {
        int32_t volume;
        int16_t expected;
    } cases[] = {{0, 10000}, {-2000, 1000}, {-4000, 100}, {-10000, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.volume);
        auto buffer = MakeBuffer(44100, 2, 44100 * 4);
        FillConstant(*buffer, 10000);
        ASSERT_EQ(buffer->SetVolume(c.volume), kAudioOk);
        int32_t stored = 1;
        buffer->GetVolume(&stored);
        EXPECT_EQ(stored, c.volume);
        TakeHeadlessAudioOutput();
        buffer->Play(true);
        AdvanceTestClock(100);
        std::vector<int16_t> out = TakeHeadlessAudioOutput();
        ASSERT_EQ(out.size(), 4410u * 2);
        EXPECT_EQ(out.front(), c.expected);
        EXPECT_EQ(out.back(), c.expected);
    }
}

TEST_F(ClockAudioTest, MonoIsSpreadToBothSidesAndLowRatesAreInterpolated) {
    auto buffer = MakeBuffer(22050, 1, 8);  // four frames: 0, 400, 800, 1200
    void* region = nullptr;
    uint32_t bytes = 0;
    buffer->Lock(0, 8, &region, &bytes, nullptr, nullptr);
    const int16_t ramp[4] = {0, 400, 800, 1200};
    std::memcpy(region, ramp, 8);
    buffer->Unlock(region, 8, nullptr, 0);
    TakeHeadlessAudioOutput();
    buffer->Play(false);
    AdvanceTestClock(1);  // 44 output frames; the buffer ends after 8
    std::vector<int16_t> out = TakeHeadlessAudioOutput();
    const int16_t expected[9] = {0, 200, 400, 600, 800, 1000, 1200, 600, 0};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(out[2 * i], expected[i]) << i;
        EXPECT_EQ(out[2 * i + 1], expected[i]) << i;
    }
    uint32_t status = 1;
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
}

// A looping buffer shorter than one output step (one frame at four times the output rate) wraps
// in place instead of reading past its end.
TEST_F(ClockAudioTest, LoopingBufferShorterThanAStepStaysInside) {
    auto buffer = MakeBuffer(4 * kAudioOutputRate, 1, 2);
    FillConstant(*buffer, 1234);
    TakeHeadlessAudioOutput();
    buffer->Play(true);
    AdvanceTestClock(10);
    std::vector<int16_t> out = TakeHeadlessAudioOutput();
    ASSERT_EQ(out.size(), 441u * 2);
    for (int16_t sample : out)
        ASSERT_EQ(sample, 1234);
    uint32_t play = 1, write = 1;
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
}

TEST_F(ClockAudioTest, VoicesAddUpAndClip) {
    auto first = MakeBuffer(44100, 2, 4000);
    auto second = MakeBuffer(44100, 2, 4000);
    FillConstant(*first, 20000);
    FillConstant(*second, 20000);
    TakeHeadlessAudioOutput();
    first->Play(true);
    second->Play(true);
    AdvanceTestClock(10);
    std::vector<int16_t> out = TakeHeadlessAudioOutput();
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0], 32767);
    second->Stop();
    AdvanceTestClock(10);
    out = TakeHeadlessAudioOutput();
    EXPECT_EQ(out.back(), 20000);
}

// An output that opens when the test releases it, and then leaves the mixing to the test.
class GatedOutput : public MixerOutput {
public:
    GatedOutput(std::shared_future<bool> gate, std::promise<Mixer*>* opened) : gate_(gate), opened_(opened) {}
    bool Open(Mixer& mixer) override {
        bool opens = gate_.get();
        opened_->set_value(&mixer);
        return opens;
    }

private:
    std::shared_future<bool> gate_;
    std::promise<Mixer*>* opened_;
};

class DeferredAudioTest : public ClockAudioTest {
protected:
    void SetUp() override {
        SetTestClock(1000);
        UseClockBackend(ClockBackend::Test);
        device_ = std::make_unique<DeferredMixerDevice>(
            std::make_unique<GatedOutput>(gate_.get_future().share(), &opened_));
    }
    void TearDown() override {
        if (!released_)
            Release(false);
        ClockAudioTest::TearDown();
    }
    Mixer& Release(bool opens) {
        released_ = true;
        gate_.set_value(opens);
        return *opened_.get_future().get();
    }

    std::promise<bool> gate_;
    std::promise<Mixer*> opened_;
    bool released_ = false;
};

// A tenth of a second of sound played before the output is open waits for it, then starts from its beginning.
TEST_F(DeferredAudioTest, BuffersPlayedBeforeTheOutputOpensStartWithIt) {
    auto buffer = MakeBuffer(44100, 2, 4410 * 4);
    FillConstant(*buffer, 12000);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    AdvanceTestClock(500);
    uint32_t play = 1, write = 0, status = 0;
    buffer->GetCurrentPosition(&play, &write);
    buffer->GetStatus(&status);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(status, uint32_t(kAudioStatusPlaying));

    Mixer& mixer = Release(true);
    std::vector<int16_t> out(2 * 100);
    mixer.Mix(out.data(), 100);
    EXPECT_EQ(out.front(), 12000);
    EXPECT_EQ(out.back(), 12000);
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 100u * 4);
}

// Without an output the clock carries the sound on into nothing, so a sound played once still ends.
TEST_F(DeferredAudioTest, WithoutAnOutputSoundsStillEnd) {
    auto buffer = MakeBuffer(44100, 2, 4410 * 4);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    Release(false);
    uint32_t status = kAudioStatusPlaying;
    while (status & kAudioStatusPlaying) {
        AdvanceTestClock(200);
        std::this_thread::yield();
        buffer->GetStatus(&status);
    }
    uint32_t play = 1, write = 1;
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
}

// The none backend, and the real one in a program that links no real device, open nothing.
TEST(AudioBackendTest, NullBackendHasNoDevice) {
    UseAudioBackend(AudioBackend::None);
    uint32_t result = 0;
    EXPECT_EQ(OpenAudioDevice(&result), nullptr);
    EXPECT_EQ(result, kAudioErrNoDevice);
    UseAudioBackend(AudioBackend::Real);
    InstallRealAudioDevice(nullptr);
    result = 0;
    EXPECT_EQ(OpenAudioDevice(&result), nullptr);
    EXPECT_EQ(result, kAudioErrNoDevice);
    EXPECT_TRUE(TakeHeadlessAudioOutput().empty());
}

TEST(AudioBackendTest, VolumeToGainFollowsDecibels) {
    EXPECT_FLOAT_EQ(VolumeToGain(0), 1.0f);
    EXPECT_FLOAT_EQ(VolumeToGain(-2000), 0.1f);
    EXPECT_NEAR(VolumeToGain(-2500), 0.0562f, 1e-4);
    EXPECT_EQ(VolumeToGain(-10000), 0.0f);
}

// The SDL device under SDL's dummy driver consumes sound in real time.
TEST(AudioBackendTest, SdlDeviceAdvancesInRealTime) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    UseClockBackend(ClockBackend::Real);
    UseAudioBackend(AudioBackend::Real);
    InstallRealAudioDevice(OpenSdlAudioDevice);
    uint32_t result = 1;
    auto device = OpenAudioDevice(&result);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(result, kAudioOk);
    std::unique_ptr<AudioBuffer> buffer;
    ASSERT_EQ(device->CreateBuffer({22050, 1, 16}, 22050 * 2, &buffer), kAudioOk);
    buffer->Play(true);
    uint32_t play = 0, write = 0;
    for (int i = 0; i < 200 && play == 0; ++i) {
        SleepMs(10);
        buffer->GetCurrentPosition(&play, &write);
    }
    EXPECT_GT(play, 0u);
    buffer.reset();
}

}  // namespace
}  // namespace platform
