#include "tools/synth/synth.h"

#include <fstream>
#include <sstream>

#include "tools/synth/ogg_encoder.h"
#include "tools/synth/parser.h"
#include "tools/synth/render.h"

namespace synth {

std::vector<uint8_t> RenderDescription(std::string_view text, const std::string& source) {
    return EncodeOggVorbis(RenderSong(ParseSong(text, source)));
}

std::vector<uint8_t> RenderDescriptionFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SynthError(path + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return RenderDescription(text.str(), path);
}

}  // namespace synth
