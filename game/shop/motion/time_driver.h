// clsTimeDriver: runs a float from a start value to an end value over a duration in milliseconds and
// reports each step to its target. The run ends when its duration has passed, with the last step
// exactly on the end value; overshoot is dropped.
#pragma once

#include <cstdint>

#include "game/shop/motion/move_event.h"

class clsTimeDriver {
public:
    // Which of the target's operations the driver calls; each may be hooked or unhooked on its own.
    enum Callback : uint8_t { kCheck = 1, kStep = 2, kEnd = 4, kAll = 7 };

    explicit clsTimeDriver(iMoveEvent* target);
    clsTimeDriver(iMoveEvent* target, float start, float end, int durationMs);

    // Stores a range and duration; does not start.
    void Set(float start, float end, int durationMs);
    void SetDuration(int durationMs) { duration_ = durationMs; }
    void Start();
    // Advances by ms: stores the new value and calls check, step and end as hooked.
    void Update(int ms);

    void Hook(uint8_t callbacks) { callbacks_ |= callbacks; }
    void Unhook(uint8_t callbacks) { callbacks_ &= static_cast<uint8_t>(~callbacks); }

    bool IsFinished() const { return finished_; }
    float GetValue() const { return current_; }
    float GetStart() const { return start_; }
    float GetEnd() const { return end_; }
    int GetDuration() const { return duration_; }
    int GetElapsed() const { return elapsed_; }

private:
    bool Hooked(Callback callback) const { return target_ && (callbacks_ & callback); }

    uint8_t callbacks_ = 0;
    bool finished_ = true;
    int duration_ = 0;
    int elapsed_ = 0;
    float start_ = 0.0f;
    float end_ = 0.0f;
    float current_ = 0.0f;
    float step_ = 0.0f;  // change of the value per millisecond
    iMoveEvent* target_;
};
