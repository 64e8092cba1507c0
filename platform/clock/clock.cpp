#include "platform/clock/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

struct ClockState {
  std::atomic<ClockBackend> backend{ClockBackend::Real};
  std::atomic<uint32_t> testTimeMs{0};
};

ClockState& GetClockState() {
  static ClockState state;
  return state;
}

bool TestClockOn() { return GetClockState().backend == ClockBackend::Test; }

uint32_t RealTicksMs() {
  using namespace std::chrono;
  auto sinceStart = steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(duration_cast<milliseconds>(sinceStart).count());
}

}  // namespace

void UseClockBackend(ClockBackend backend) { GetClockState().backend = backend; }

ClockBackend GetClockBackend() { return GetClockState().backend; }

uint32_t TicksMs() {
  return TestClockOn() ? GetClockState().testTimeMs.load() : RealTicksMs();
}

void SleepMs(uint32_t ms) {
  // The test clock stands still while a thread waits on it; a real millisecond keeps a thread
  // that waits in a loop (the sound manager's) from taking a whole processor.
  if (TestClockOn()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SetTestClock(uint32_t ms) { GetClockState().testTimeMs = ms; }

void AdvanceTestClock(uint32_t ms) { GetClockState().testTimeMs += ms; }

}  // namespace platform
