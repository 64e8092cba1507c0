#include "tools/synth/effects.h"

#include <array>
#include <cmath>

namespace synth {

namespace {

const std::array<int, 8> kCombSamples = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
const std::array<int, 4> kAllpassSamples = {556, 441, 341, 225};
constexpr int kRightSpread = 23;  // the right side's delays are this much longer: a wide room
constexpr float kInputGain = 0.015f;
constexpr float kWetGain = 3.0f;
constexpr float kDamping = 0.2f;

float RoomFeedback(const Reverb& reverb) {
    return 0.7f + 0.25f * reverb.size;
}

class Comb {
public:
    explicit Comb(int samples) : line_(size_t(samples)) {}
    float Process(float in, float feedback) {
        float out = line_[at_];
        stored_ = out * (1.0f - kDamping) + stored_ * kDamping;
        line_[at_] = in + stored_ * feedback;
        at_ = (at_ + 1) % line_.size();
        return out;
    }

private:
    std::vector<float> line_;
    size_t at_ = 0;
    float stored_ = 0.0f;
};

class Allpass {
public:
    explicit Allpass(int samples) : line_(size_t(samples)) {}
    float Process(float in) {
        float delayed = line_[at_];
        line_[at_] = in + delayed * 0.5f;
        at_ = (at_ + 1) % line_.size();
        return delayed - in;
    }

private:
    std::vector<float> line_;
    size_t at_ = 0;
};

class Room {
public:
    explicit Room(int spread) {
        for (int samples : kCombSamples)
            combs_.emplace_back(samples + spread);
        for (int samples : kAllpassSamples)
            allpasses_.emplace_back(samples + spread);
    }
    float Process(float in, float feedback) {
        float out = 0.0f;
        for (Comb& comb : combs_)
            out += comb.Process(in, feedback);
        for (Allpass& allpass : allpasses_)
            out = allpass.Process(out);
        return out;
    }

private:
    std::vector<Comb> combs_;
    std::vector<Allpass> allpasses_;
};

}  // namespace

void ApplyEcho(const Echo& echo, std::vector<float>& stereo) {
    if (echo.mix <= 0.0f)
        return;
    size_t delay = std::max<size_t>(1, size_t(std::lround(echo.seconds * kSampleRate)));
    std::vector<float> left(delay), right(delay);
    size_t at = 0;
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        float echoLeft = left[at], echoRight = right[at];
        left[at] = 0.5f * (stereo[i] + stereo[i + 1]) + echo.feedback * echoRight;
        right[at] = echo.feedback * echoLeft;
        stereo[i] += echo.mix * echoLeft;
        stereo[i + 1] += echo.mix * echoRight;
        at = (at + 1) % delay;
    }
}

void ApplyReverb(const Reverb& reverb, std::vector<float>& stereo) {
    if (reverb.mix <= 0.0f)
        return;
    Room left(0), right(kRightSpread);
    float feedback = RoomFeedback(reverb);
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        float in = kInputGain * (stereo[i] + stereo[i + 1]);
        stereo[i] += reverb.mix * kWetGain * left.Process(in, feedback);
        stereo[i + 1] += reverb.mix * kWetGain * right.Process(in, feedback);
    }
}

double EchoTailSeconds(const Echo& echo) {
    if (echo.mix <= 0.0f)
        return 0.0;
    if (echo.feedback <= 0.001f)
        return 2.0 * echo.seconds;
    return echo.seconds * (1.0 + std::log(0.001) / std::log(double(echo.feedback)));
}

double ReverbTailSeconds(const Reverb& reverb) {
    if (reverb.mix <= 0.0f)
        return 0.0;
    double longest = kCombSamples.back() + kRightSpread + kAllpassSamples[0];
    return longest * std::log(0.001) / std::log(double(RoomFeedback(reverb))) / kSampleRate;
}

}  // namespace synth
