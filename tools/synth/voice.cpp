#include "tools/synth/voice.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/filter.h"

namespace synth {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kFilterUpdateSamples = 16;

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    // -1 .. 1
    float Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return float(state_) / 2147483648.0f - 1.0f;
    }

private:
    uint32_t state_;
};

// Smooths the corners of saw and square waves so they do not alias (polyBLEP).
float Blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return float(t + t - t * t - 1.0);
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return float(t * t + t + t + 1.0);
    }
    return 0.0f;
}

// A plucked string: a burst of noise circulating in a delay line one period long, softened on
// every pass.
class String {
public:
    String(float frequency, Random& random) {
        period_ = std::max(2.0, double(kSampleRate) / frequency - 0.5);  // averaging adds half a sample
        line_.resize(size_t(period_) + 2);
        for (float& sample : line_)
            sample = random.Next();
    }
    float Next() {
        size_t size = line_.size();
        double read = double(write_) - period_ + double(size);
        size_t whole = size_t(read);
        float fraction = float(read - double(whole));
        float delayed = line_[whole % size] * (1.0f - fraction) + line_[(whole + 1) % size] * fraction;
        float out = 0.5f * (delayed + last_) * 0.998f;
        last_ = delayed;
        line_[write_] = out;
        write_ = (write_ + 1) % size;
        return out;
    }

private:
    std::vector<float> line_;
    double period_;
    size_t write_ = 0;
    float last_ = 0.0f;
};

struct OscillatorState {
    double phase = 0.0;
    double modulatorPhase = 0.0;
};

float EnvelopeLevel(const Envelope& envelope, double t, double hold) {
    auto held = [&](double at) {
        if (at < envelope.attack)
            return at / envelope.attack;
        double fall = envelope.decay > 0.0 ? std::pow(0.001, (at - envelope.attack) / envelope.decay) : 0.0;
        return envelope.sustain + (1.0 - envelope.sustain) * fall;
    };
    if (t < hold)
        return float(held(t));
    if (envelope.release <= 0.0f)
        return 0.0f;
    double x = std::min(1.0, (t - hold) / envelope.release);
    return float(held(hold) * (std::pow(0.001, x) - 0.001) / 0.999);
}

float WaveSample(const Oscillator& oscillator, double phase, double step) {
    switch (oscillator.wave) {
    case Wave::Sine:
        return float(std::sin(kTwoPi * phase));
    case Wave::Saw:
        return float(2.0 * phase - 1.0) - Blep(phase, step);
    case Wave::Square: {
        float naive = phase < oscillator.width ? 1.0f : -1.0f;
        return naive + Blep(phase, step) - Blep(std::fmod(phase + 1.0 - oscillator.width, 1.0), step);
    }
    case Wave::Triangle:
        return float(1.0 - 4.0 * std::abs(phase - 0.5));
    default:
        return 0.0f;
    }
}

}  // namespace

double VoiceSeconds(const Instrument& instrument, const Note& note) {
    return note.hold + instrument.envelope.release;
}

std::vector<float> RenderVoice(const Instrument& instrument, const Note& note, uint32_t seed) {
    const double rate = kSampleRate;
    size_t samples = size_t(std::ceil(VoiceSeconds(instrument, note) * rate));
    std::vector<float> out(samples);
    Random random(seed);
    std::vector<OscillatorState> states(instrument.oscillators.size());
    std::vector<String> strings;
    for (const Oscillator& oscillator : instrument.oscillators) {
        if (oscillator.wave == Wave::Pluck)
            strings.emplace_back(note.frequency * std::pow(2.0f, oscillator.semitones / 12.0f), random);
    }
    const Filter& filterSpec = instrument.filter;
    Biquad filter(filterSpec.kind, filterSpec.q);
    double sweepSeconds = instrument.sweepSeconds > 0.0f ? instrument.sweepSeconds : note.hold;

    for (size_t i = 0; i < samples; ++i) {
        double t = double(i) / rate;
        double semitones = instrument.sweepSemitones * std::min(1.0, t / std::max(sweepSeconds, 1e-6)) +
                           instrument.vibratoCents / 100.0 * std::sin(kTwoPi * instrument.vibratoHz * t);
        double pitch = note.frequency * std::pow(2.0, semitones / 12.0);
        float envelope = EnvelopeLevel(instrument.envelope, t, note.hold);

        float sum = 0.0f;
        size_t string = 0;
        for (size_t o = 0; o < instrument.oscillators.size(); ++o) {
            const Oscillator& oscillator = instrument.oscillators[o];
            OscillatorState& state = states[o];
            float value;
            if (oscillator.wave == Wave::Noise) {
                value = random.Next();
            } else if (oscillator.wave == Wave::Pluck) {
                value = strings[string++].Next();
            } else {
                double step = pitch * std::pow(2.0, oscillator.semitones / 12.0) / rate;
                double phase = state.phase;
                if (oscillator.fmRatio > 0.0f) {
                    double modulation = oscillator.fmDepth * envelope * std::sin(kTwoPi * state.modulatorPhase);
                    phase = phase + modulation / kTwoPi;
                    phase -= std::floor(phase);
                    state.modulatorPhase = std::fmod(state.modulatorPhase + step * oscillator.fmRatio, 1.0);
                }
                value = WaveSample(oscillator, phase, step);
                state.phase = std::fmod(state.phase + step, 1.0);
            }
            sum += oscillator.level * value;
        }
        if (instrument.tremoloDepth > 0.0f)
            sum *= float(1.0 - instrument.tremoloDepth * (0.5 - 0.5 * std::cos(kTwoPi * instrument.tremoloHz * t)));
        if (filterSpec.kind != FilterKind::None) {
            if (i % kFilterUpdateSamples == 0) {
                double progress = std::min(1.0, t / std::max(note.hold, 1e-6));
                double cutoff = filterSpec.from * std::pow(double(filterSpec.to) / filterSpec.from, progress);
                filter.SetCutoff(float(filterSpec.relative ? cutoff * pitch : cutoff));
            }
            sum = filter.Process(sum);
        }
        out[i] = sum * envelope;
    }
    return out;
}

}  // namespace synth
