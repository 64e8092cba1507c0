#include "platform/clock/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

std::atomic<bool> testClockOn{false};
std::atomic<uint32_t> testTimeMs{0};

uint32_t RealTicksMs() {
  using namespace std::chrono;
  auto sinceStart = steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(duration_cast<milliseconds>(sinceStart).count());
}

}  // namespace

uint32_t TicksMs() {
  return testClockOn ? testTimeMs.load() : RealTicksMs();
}

void SleepMs(uint32_t ms) {
  if (testClockOn) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void UseTestClock(uint32_t startMs) {
  testTimeMs = startMs;
  testClockOn = true;
}

void AdvanceTestClock(uint32_t ms) {
  testTimeMs += ms;
}

void UseRealClock() {
  testClockOn = false;
}

bool IsTestClock() {
  return testClockOn;
}

}  // namespace platform
