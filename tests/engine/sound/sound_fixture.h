// A sound manager over the clock-driven device: time moves only when the test advances it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "engine/sound/sound_manager.h"
#include "engine/sound/sound_stream.h"
#include "platform/clock/clock.h"

namespace soundtest {

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override { StartManager(platform::AudioBackend::Headless); }
    void TearDown() override {
        manager_.reset();
        platform::UseAudioBackend(platform::AudioBackend::Real);
        platform::UseClockBackend(platform::ClockBackend::Real);
    }

    void StartManager(platform::AudioBackend backend) {
        manager_.reset();
        platform::SetTestClock(0);
        platform::UseClockBackend(platform::ClockBackend::Test);
        platform::UseAudioBackend(backend);
        manager_ = std::make_unique<TSoundManager>();
        initResult_ = manager_->Init();
    }

    // Advances the clock, then makes sure one service pass ran (the service thread may have run
    // it already; either way the outcome depends on the time alone).
    void Step(uint32_t ms) {
        platform::AdvanceTestClock(ms);
        manager_->ServiceStreams(true);
    }

    // A stream over source as TSound::Play makes it.
    std::shared_ptr<TSoundStream> Start(std::shared_ptr<TSoundDataSource> source, bool loop, int group = 0) {
        TSoundLock lock;
        double duration = source->GetDuration();
        uint32_t rate = source->GetSampleRate(), channels = source->GetChannels();
        auto stream = TSoundStream::New(new TStreamSpooler(std::move(source)), loop, group, {});
        stream->Create(rate, channels, 16, 2.0f);
        stream->Play(!loop && stream->GetBufferSeconds() > duration);
        return stream;
    }

    std::unique_ptr<TSoundManager> manager_;
    bool initResult_ = false;
};

}  // namespace soundtest
