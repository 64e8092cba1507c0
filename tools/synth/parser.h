// Reads the text of a sound description into a Song.
#pragma once

#include <string>
#include <string_view>

#include "tools/synth/song.h"

namespace synth {

// Throws SynthError "<source>:<line>: <what is wrong>" on the first fault.
Song ParseSong(std::string_view text, const std::string& source);

}  // namespace synth
