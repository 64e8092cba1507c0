#include "platform/clock/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(Clock, TestClockMovesOnlyWhenAdvanced) {
    platform::SetTestClock(0xFFFFFFF0u);
    platform::UseClockBackend(platform::ClockBackend::Test);
    EXPECT_EQ(platform::GetClockBackend(), platform::ClockBackend::Test);
    EXPECT_EQ(platform::TicksMs(), 0xFFFFFFF0u);
    platform::SleepMs(1000);
    EXPECT_EQ(platform::TicksMs(), 0xFFFFFFF0u);
    platform::AdvanceTestClock(0x20);  // wraps at 2^32
    EXPECT_EQ(platform::TicksMs(), 0x10u);
    platform::UseClockBackend(platform::ClockBackend::Real);
    EXPECT_EQ(platform::GetClockBackend(), platform::ClockBackend::Real);
}

TEST(Clock, RealClockIsMonotonicAndSleeps) {
    platform::UseClockBackend(platform::ClockBackend::Real);
    uint32_t before = platform::TicksMs();
    platform::SleepMs(20);
    uint32_t elapsed = platform::TicksMs() - before;
    EXPECT_GE(elapsed, 19u);
}

}  // namespace
