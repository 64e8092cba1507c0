// Effects on an instrument's whole part: interleaved stereo samples, changed in place. Each
// effect keeps the dry sound and adds its wet sound on top.
#pragma once

#include <vector>

#include "tools/synth/song.h"

namespace synth {

// Echoes bouncing between left and right, each feedback times the one before.
void ApplyEcho(const Echo& echo, std::vector<float>& stereo);
// A room (eight damped comb filters and four all-pass filters per side).
void ApplyReverb(const Reverb& reverb, std::vector<float>& stereo);

// Seconds until an effect's tail has died away (60 dB down).
double EchoTailSeconds(const Echo& echo);
double ReverbTailSeconds(const Reverb& reverb);

}  // namespace synth
