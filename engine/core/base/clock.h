// TClock: a pausable millisecond clock over the platform clock. A fresh clock is paused at 0.
#pragma once

#include <cstdint>

class TClock {
public:
    TClock() = default;
    virtual ~TClock() = default;

    uint32_t GetTime() const;
    void SetTime(uint32_t time);
    // Runs the clock; the first start ever begins at 0, later ones continue from the paused time.
    void Start();
    // Freezes the time; answers whether the clock was already paused.
    bool Pause();
    void Reset();
    bool IsPaused() const { return paused_; }

private:
    bool paused_ = true;
    bool started_ = false;
    uint32_t start_ = 0;        // platform ms at the last SetTime
    uint32_t base_ = 0;
    uint32_t frozen_ = 0;
    uint32_t pausedTotal_ = 0;
};
