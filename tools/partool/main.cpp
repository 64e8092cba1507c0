// partool: writes particle effect files from readable descriptions (see --help).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/partool/fx_description.h"
#include "tools/partool/sprite_picture.h"

namespace {

namespace fs = std::filesystem;

const char kUsage[] =
    "Usage: partool [--out FOLDER] DESCRIPTION...\n"
    "Writes each description's effect file, emitter files and pictures into FOLDER (default: the\n"
    "description's own folder).\n\n";

bool WriteBytes(const fs::path& path, const void* bytes, size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    return static_cast<bool>(out.flush());
}

// Writes every file of one description; an error names the description.
bool Build(const fs::path& source, const fs::path& folder) {
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "partool: cannot read %s\n", source.c_str());
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    FxDescription fx;
    try {
        fx = ParseFxDescription(text.str());
    } catch (const FxDescriptionError& error) {
        std::fprintf(stderr, "partool: %s: %s\n", source.c_str(), error.what());
        return false;
    }
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    std::string par = fx.ParText();
    bool written = WriteBytes(folder / fx.parName, par.data(), par.size());
    for (const FxDescription::Emitter& emitter : fx.emitters) {
        std::vector<uint8_t> bytes = EncodeEmitterFile(emitter.file);
        written = written && WriteBytes(folder / emitter.name, bytes.data(), bytes.size());
    }
    for (const FxDescription::Picture& picture : fx.pictures)
        written = written && WriteSpritePicture(folder / picture.name, picture.shape, picture.size);
    if (!written) std::fprintf(stderr, "partool: %s: cannot write into %s\n", source.c_str(), folder.c_str());
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> sources;
    fs::path out;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help")) {
            std::printf("%s%s", kUsage, kFxDescriptionHelp);
            return 0;
        }
        if (!std::strcmp(argv[i], "--out")) {
            if (++i == argc) {
                std::fprintf(stderr, "partool: --out needs a folder\n");
                return 2;
            }
            out = argv[i];
        } else if (argv[i][0] == '-') {
            std::fprintf(stderr, "partool: unknown option %s (see --help)\n", argv[i]);
            return 2;
        } else {
            sources.push_back(argv[i]);
        }
    }
    if (sources.empty()) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    bool ok = true;
    for (const fs::path& source : sources) ok = Build(source, out.empty() ? source.parent_path() : out) && ok;
    return ok ? 0 : 1;
}
