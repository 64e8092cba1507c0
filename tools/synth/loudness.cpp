#include "tools/synth/loudness.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/song.h"

namespace synth {

namespace {

constexpr size_t kBlockFrames = kSampleRate / 100;  // 10 ms
constexpr double kGateDb = 20.0;
constexpr int kLevellingRounds = 4;  // softened peaks lower the loudness a little; each round makes up for it

// Below knee a sample passes as it is; above, it bends smoothly towards the ceiling.
float SoftLimit(float sample, float ceiling) {
    const float knee = 0.5f * ceiling;
    float size = std::abs(sample);
    if (size <= knee) return sample;
    float bent = knee + (ceiling - knee) * std::tanh((size - knee) / (ceiling - knee));
    return sample < 0 ? -bent : bent;
}

}  // namespace

double LoudnessDb(const std::vector<float>& stereo) {
    std::vector<double> powers;
    const size_t frames = stereo.size() / 2;
    for (size_t start = 0; start < frames; start += kBlockFrames) {
        size_t end = std::min(frames, start + kBlockFrames);
        double sum = 0.0;
        for (size_t i = 2 * start; i < 2 * end; ++i) sum += double(stereo[i]) * stereo[i];
        powers.push_back(sum / double(2 * (end - start)));
    }
    double loudest = powers.empty() ? 0.0 : *std::max_element(powers.begin(), powers.end());
    if (loudest <= 0.0) return -100.0;
    double gate = loudest * std::pow(10.0, -kGateDb / 10.0), sum = 0.0;
    size_t counted = 0;
    for (double power : powers) {
        if (power < gate) continue;
        sum += power;
        ++counted;
    }
    return 10.0 * std::log10(sum / double(counted));
}

void RemoveDcOffset(std::vector<float>& stereo) {
    const size_t frames = stereo.size() / 2;
    if (frames == 0) return;
    for (size_t channel = 0; channel < 2; ++channel) {
        double mean = 0.0;
        for (size_t i = channel; i < stereo.size(); i += 2) mean += stereo[i];
        mean /= double(frames);
        for (size_t i = channel; i < stereo.size(); i += 2) stereo[i] -= float(mean);
    }
}

void Normalise(std::vector<float>& stereo, double loudnessDb, double ceilingDb) {
    const float ceiling = float(std::pow(10.0, ceilingDb / 20.0));
    for (int round = 0; round < kLevellingRounds; ++round) {
        RemoveDcOffset(stereo);
        double now = LoudnessDb(stereo);
        if (now <= -100.0) return;
        float gain = float(std::pow(10.0, (loudnessDb - now) / 20.0));
        for (float& sample : stereo) sample = SoftLimit(sample * gain, ceiling);
    }
    RemoveDcOffset(stereo);  // what lopsided peaks left, far below the ceiling's margin
}

}  // namespace synth
