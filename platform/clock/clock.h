// Monotonic millisecond clock, with a test clock that tests advance by hand.
#pragma once

#include <cstdint>

namespace platform {

// Real: the machine's monotonic clock. Test: time that moves only through AdvanceTestClock.
enum class ClockBackend { Real, Test };

// The backend TicksMs and SleepMs use from now on; Real until chosen otherwise.
void UseClockBackend(ClockBackend backend);
ClockBackend GetClockBackend();

// Monotonic milliseconds since an arbitrary start; wraps at 2^32. Under the test clock, the test time.
uint32_t TicksMs();

// Sleeps the calling thread. Under the test clock it only yields: test time moves solely
// through AdvanceTestClock, so background threads that sleep cannot disturb a test's timeline.
void SleepMs(uint32_t ms);

// Sets and moves the test clock's time (whichever backend is chosen).
void SetTestClock(uint32_t ms);
void AdvanceTestClock(uint32_t ms);

}  // namespace platform
