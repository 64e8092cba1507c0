// Monotonic millisecond clock, with a test clock that tests advance by hand.
#pragma once

#include <cstdint>

namespace platform {

// Monotonic milliseconds since an arbitrary start; wraps at 2^32.
// With the test clock on, answers the test time instead.
uint32_t TicksMs();

// Sleeps the calling thread. With the test clock on it only yields: test time moves solely
// through AdvanceTestClock, so background threads that sleep cannot disturb a test's timeline.
void SleepMs(uint32_t ms);

// Switches TicksMs to a test clock that starts at startMs and moves only through AdvanceTestClock.
void UseTestClock(uint32_t startMs);
void AdvanceTestClock(uint32_t ms);

// Switches back to the real monotonic clock.
void UseRealClock();

bool IsTestClock();

}  // namespace platform
