// The game's sound synthesiser: turns a text description of a sound effect or a piece of music
// (tools/synth/README.md) into an Ogg Vorbis file, 44.1 kHz stereo. The same text always gives
// the same bytes.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace synth {

// A description that cannot be rendered, or a file that cannot be read or written. The message
// names the file and, for a bad description, the line: "door.snd:12: unknown wave \"sin\"".
class SynthError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The Ogg Vorbis bytes of a description; source names it in error messages.
std::vector<uint8_t> RenderDescription(std::string_view text, const std::string& source);

// The Ogg Vorbis bytes of a description file.
std::vector<uint8_t> RenderDescriptionFile(const std::string& path);

}  // namespace synth
