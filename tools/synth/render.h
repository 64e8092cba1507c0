// Mixes a song's notes into interleaved stereo samples: each instrument's part through its own
// effects, a looping song's tail wrapped onto its start, the whole freed of any constant offset and
// brought to the song's loudness under its peak level.
#pragma once

#include <vector>

#include "tools/synth/song.h"

namespace synth {

std::vector<float> RenderSong(const Song& song);

}  // namespace synth
