#include "tools/synth/render.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/effects.h"
#include "tools/synth/loudness.h"
#include "tools/synth/voice.h"

namespace synth {

namespace {

constexpr float kSilence = 0.001f;  // -60 dB below the peak: where a sound without a set length ends
constexpr double kFadeSeconds = 0.01;  // a sound cut short fades out over this

size_t Frames(double seconds) {
    return size_t(std::llround(seconds * kSampleRate));
}

double EffectTailSeconds(const Instrument& instrument) {
    return EchoTailSeconds(instrument.echo) + ReverbTailSeconds(instrument.reverb);
}

// Seconds from the start until the last note of any instrument and its effects have died away.
double SoundingSeconds(const Song& song) {
    double end = 0.0;
    for (const Note& note : song.notes) {
        const Instrument& instrument = song.instruments[note.instrument];
        end = std::max(end, note.start + VoiceSeconds(instrument, note) + EffectTailSeconds(instrument));
    }
    return end;
}

void AddPart(const Song& song, size_t instrumentIndex, std::vector<float>& mix) {
    const Instrument& instrument = song.instruments[instrumentIndex];
    const double quarterTurn = 1.5707963267948966;
    float left = float(std::cos((instrument.pan + 1.0) * quarterTurn / 2.0));
    float right = float(std::sin((instrument.pan + 1.0) * quarterTurn / 2.0));
    std::vector<float> part(mix.size());
    bool playing = false;
    for (size_t n = 0; n < song.notes.size(); ++n) {
        const Note& note = song.notes[n];
        if (note.instrument != instrumentIndex)
            continue;
        playing = true;
        std::vector<float> voice = RenderVoice(instrument, note, uint32_t(n + 1));
        float gain = note.velocity * instrument.volume;
        size_t first = Frames(note.start);
        for (size_t i = 0; i < voice.size() && 2 * (first + i) + 1 < part.size(); ++i) {
            part[2 * (first + i)] += voice[i] * gain * left;
            part[2 * (first + i) + 1] += voice[i] * gain * right;
        }
    }
    if (!playing)
        return;
    ApplyEcho(instrument.echo, part);
    ApplyReverb(instrument.reverb, part);
    for (size_t i = 0; i < mix.size(); ++i)
        mix[i] += part[i];
}

// Adds everything past the loop's end onto its start, so the loop joins without a seam.
void WrapLoop(std::vector<float>& mix, size_t frames) {
    for (size_t i = 2 * frames; i < mix.size(); ++i)
        mix[i % (2 * frames)] += mix[i];
    mix.resize(2 * frames);
}

void CutAt(std::vector<float>& mix, size_t frames) {
    mix.resize(2 * frames, 0.0f);
    size_t fade = std::min(frames, Frames(kFadeSeconds));
    for (size_t i = 0; i < fade; ++i) {
        float gain = float(i) / float(fade);
        mix[2 * (frames - 1 - i)] *= gain;
        mix[2 * (frames - 1 - i) + 1] *= gain;
    }
}

float Peak(const std::vector<float>& mix) {
    float peak = 0.0f;
    for (float sample : mix)
        peak = std::max(peak, std::abs(sample));
    return peak;
}

}  // namespace

std::vector<float> RenderSong(const Song& song) {
    double seconds = std::max(SoundingSeconds(song), song.length);
    std::vector<float> mix(2 * (Frames(seconds) + 1));
    for (size_t i = 0; i < song.instruments.size(); ++i)
        AddPart(song, i, mix);

    float peak = Peak(mix);
    if (song.loop) {
        WrapLoop(mix, std::max<size_t>(1, Frames(song.length)));
    } else if (song.length > 0.0) {
        CutAt(mix, std::max<size_t>(1, Frames(song.length)));
    } else {
        size_t last = mix.size();
        while (last > 0 && std::abs(mix[last - 1]) < kSilence * peak)
            --last;
        CutAt(mix, std::max<size_t>(1, (last + 1) / 2));
    }

    Normalise(mix, song.loudnessDb, song.peakDb);
    return mix;
}

}  // namespace synth
