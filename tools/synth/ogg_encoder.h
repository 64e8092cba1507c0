// Ogg Vorbis encoding of rendered sound (libvorbisenc), 44.1 kHz stereo.
#pragma once

#include <cstdint>
#include <vector>

namespace synth {

// The file bytes of interleaved stereo samples in -1..1; the same samples give the same bytes.
std::vector<uint8_t> EncodeOggVorbis(const std::vector<float>& stereo);

}  // namespace synth
