#include "platform/clock/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(Clock, TestClockMovesOnlyWhenAdvanced) {
    platform::UseTestClock(0xFFFFFFF0u);
    EXPECT_TRUE(platform::IsTestClock());
    EXPECT_EQ(platform::TicksMs(), 0xFFFFFFF0u);
    platform::SleepMs(1000);
    EXPECT_EQ(platform::TicksMs(), 0xFFFFFFF0u);
    platform::AdvanceTestClock(0x20);  // wraps at 2^32
    EXPECT_EQ(platform::TicksMs(), 0x10u);
    platform::UseRealClock();
    EXPECT_FALSE(platform::IsTestClock());
}

TEST(Clock, RealClockIsMonotonicAndSleeps) {
    platform::UseRealClock();
    uint32_t before = platform::TicksMs();
    platform::SleepMs(20);
    uint32_t elapsed = platform::TicksMs() - before;
    EXPECT_GE(elapsed, 19u);
}

}  // namespace
