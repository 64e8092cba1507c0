#include "tools/synth/filter.h"

#include <algorithm>
#include <cmath>

namespace synth {

void Biquad::SetCutoff(float hz) {
    const float pi = 3.14159265358979f;
    hz = std::clamp(hz, 10.0f, 0.45f * float(kSampleRate));
    float w = 2.0f * pi * hz / float(kSampleRate);
    float cosw = std::cos(w), alpha = std::sin(w) / (2.0f * q_);
    float a0 = 1.0f + alpha;
    switch (kind_) {
    case FilterKind::Lowpass:
        b0_ = b2_ = (1.0f - cosw) / 2.0f / a0;
        b1_ = (1.0f - cosw) / a0;
        break;
    case FilterKind::Highpass:
        b0_ = b2_ = (1.0f + cosw) / 2.0f / a0;
        b1_ = -(1.0f + cosw) / a0;
        break;
    case FilterKind::Bandpass:  // 0 dB at the centre
        b0_ = alpha / a0;
        b1_ = 0.0f;
        b2_ = -alpha / a0;
        break;
    case FilterKind::None:
        b0_ = 1.0f, b1_ = b2_ = a1_ = a2_ = 0.0f;
        return;
    }
    a1_ = -2.0f * cosw / a0;
    a2_ = (1.0f - alpha) / a0;
}

float Biquad::Process(float in) {
    float out = b0_ * in + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_, x1_ = in;
    y2_ = y1_, y1_ = out;
    return out;
}

}  // namespace synth
