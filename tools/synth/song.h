// What a sound description says, ready to render: instruments and the notes they play, in
// seconds. The parser builds it; the renderer reads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr uint32_t kSampleRate = 44100;

enum class Wave { Sine, Square, Saw, Triangle, Noise, Pluck };

struct Oscillator {
    Wave wave = Wave::Sine;
    float level = 1.0f;
    float semitones = 0.0f;   // offset from the note
    float width = 0.5f;       // square: share of the period spent high
    float fmRatio = 0.0f;     // sine modulator at this multiple of the pitch; 0 = none
    float fmDepth = 0.0f;     // modulation index at full envelope
};

// Attack and release in seconds; decay is the time to fall (exponentially) to the sustain level.
struct Envelope {
    float attack = 0.005f;
    float decay = 0.1f;
    float sustain = 1.0f;
    float release = 0.05f;
};

enum class FilterKind { None, Lowpass, Highpass, Bandpass };

// Cutoff glides exponentially from `from` to `to` over the held part of the note; relative
// cutoffs are multiples of the note's frequency.
struct Filter {
    FilterKind kind = FilterKind::None;
    float from = 1000.0f;
    float to = 1000.0f;
    bool relative = false;
    float q = 0.707f;
};

struct Echo {
    float seconds = 0.0f;
    float feedback = 0.0f;
    float mix = 0.0f;
};

struct Reverb {
    float mix = 0.0f;
    float size = 0.5f;
};

struct Instrument {
    std::string name;
    std::vector<Oscillator> oscillators;
    Envelope envelope;
    Filter filter;
    float sweepSemitones = 0.0f;
    float sweepSeconds = 0.0f;   // 0: over the held part of the note
    float vibratoHz = 0.0f;
    float vibratoCents = 0.0f;
    float tremoloHz = 0.0f;
    float tremoloDepth = 0.0f;
    float volume = 1.0f;
    float pan = 0.0f;            // -1 left .. 1 right
    Echo echo;
    Reverb reverb;
};

struct Note {
    size_t instrument = 0;       // index into Song::instruments
    double start = 0.0;          // seconds
    double hold = 0.0;           // seconds until release
    float frequency = 440.0f;
    float velocity = 1.0f;
};

struct Song {
    std::vector<Instrument> instruments;
    std::vector<Note> notes;
    double length = 0.0;         // seconds; 0 = as long as the notes and their tails
    bool loop = false;           // the end wraps onto the start
    float loudnessDb = -16.0f;   // how loud the sound is heard (see loudness.h)
    float peakDb = -1.0f;        // no sample is louder
};

}  // namespace synth
