// A resonant two-pole filter (the usual "biquad" low, high and band pass) whose cutoff may move
// while it runs.
#pragma once

#include "tools/synth/song.h"

namespace synth {

class Biquad {
public:
    Biquad(FilterKind kind, float q) : kind_(kind), q_(q) {}

    // Sets the cutoff in Hz (kept within the audible band); cheap enough to call every few samples.
    void SetCutoff(float hz);
    float Process(float in);

private:
    FilterKind kind_;
    float q_;
    float b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    float x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

}  // namespace synth
