// synth <description.snd> <output.ogg>: renders a sound description to Ogg Vorbis. The output
// is replaced only when rendering succeeds.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/synth/synth.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    std::filesystem::path partial = path;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out)
            throw synth::SynthError(path.string() + ": cannot be written");
    }
    std::filesystem::rename(partial, path, error);
    if (error)
        throw synth::SynthError(path.string() + ": cannot be written (" + error.message() + ")");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: synth <description.snd> <output.ogg>\n");
        return 2;
    }
    try {
        WriteFile(argv[2], synth::RenderDescriptionFile(argv[1]));
    } catch (const synth::SynthError& error) {
        std::fprintf(stderr, "synth: %s\n", error.what());
        return 1;
    }
    return 0;
}
