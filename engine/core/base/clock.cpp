#include "engine/core/base/clock.h"

#include "platform/clock/clock.h"

uint32_t TClock::GetTime() const {
    if (paused_) return frozen_;
    return base_ + (platform::TicksMs() - start_) - pausedTotal_;
}

void TClock::SetTime(uint32_t time) {
    start_ = platform::TicksMs();
    base_ = time;
    frozen_ = time;
    pausedTotal_ = 0;
}

void TClock::Start() {
    if (!paused_) return;
    paused_ = false;
    if (!started_) {
        started_ = true;
        SetTime(0);
        return;
    }
    // Count the paused stretch so that the time goes on from the frozen value.
    uint32_t running = base_ + (platform::TicksMs() - start_);
    pausedTotal_ = running - frozen_;
}

bool TClock::Pause() {
    if (paused_) return true;
    frozen_ = GetTime();
    paused_ = true;
    return false;
}

void TClock::Reset() {
    SetTime(0);
    paused_ = true;
}
