// One note of an instrument, rendered alone: its oscillators, pitch sweep and vibrato, envelope,
// tremolo and filter.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/synth/song.h"

namespace synth {

// Mono samples from the note's start to the end of its release, before velocity, volume and pan.
// seed makes the noise and the plucked strings of this note (the same seed, the same samples).
std::vector<float> RenderVoice(const Instrument& instrument, const Note& note, uint32_t seed);

// Seconds a note of the instrument sounds in all (held part and release).
double VoiceSeconds(const Instrument& instrument, const Note& note);

}  // namespace synth
