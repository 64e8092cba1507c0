// How loud a rendered sound is, and bringing it to a set loudness: sounds are levelled by how loud
// they are heard, not by their loudest sample, so short clicks and long hums sit together.
#pragma once

#include <vector>

namespace synth {

// The loudness of interleaved stereo samples in dB of full scale: the mean power of the 10 ms
// blocks that are at most 20 dB below the loudest block (the sounding part, without the silence
// and fading tail around it). -100 for silence.
double LoudnessDb(const std::vector<float>& stereo);

// Takes out a constant offset: each channel's mean (a shift of all samples alike, so a loop stays
// seamless).
void RemoveDcOffset(std::vector<float>& stereo);

// Takes out any offset and scales the samples to loudnessDb, softening the peaks that would pass
// ceilingDb (no sample passes it by more than the offset that softening lopsided peaks leaves,
// a few thousandths).
void Normalise(std::vector<float>& stereo, double loudnessDb, double ceilingDb);

}  // namespace synth
