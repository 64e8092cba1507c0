// partool: writes particle effect files from readable descriptions (see --help).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/partool/fx_description.h"
#include "tools/partool/fx_player.h"
#include "tools/partool/sprite_picture.h"

namespace {

namespace fs = std::filesystem;

const char kUsage[] =
    "Usage: partool [--out FOLDER] DESCRIPTION...\n"
    "Writes each description's effect file, emitter files and pictures into FOLDER (default: the\n"
    "description's own folder).\n"
    "   or: partool play [--ms N] [--frames K] [--size S] [--move DX,DY] [--mirror] [--color R,G,B,A]\n"
    "                    GAME_FOLDER EFFECT OUT.png\n"
    "Plays a built effect (EFFECT as the game names it, e.g. assets/fx/water/water.par, read from\n"
    "GAME_FOLDER) for N ms (1600) from the middle of the screen, travelling DX,DY, and writes K (8)\n"
    "pictures of S x S pixels (200) around its start, side by side, into OUT.png.\n\n";

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

bool ReadNumbers(const char* text, std::vector<float>& numbers, size_t count) {
    std::istringstream in(text);
    numbers.clear();
    for (std::string part; std::getline(in, part, ',');) {
        char* end = nullptr;
        numbers.push_back(std::strtof(part.c_str(), &end));
        if (part.empty() || *end) return false;
    }
    return numbers.size() == count;
}

// "partool play ...": false (with a message) on a bad command line.
bool ParsePlay(int argc, char** argv, FxPlayOptions& options) {
    std::vector<std::string> places;
    std::vector<float> numbers;
    for (int i = 2; i < argc; ++i) {
        std::string option = argv[i];
        bool valued = option == "--ms" || option == "--frames" || option == "--size" || option == "--move" ||
                      option == "--color";
        if (valued && ++i == argc) {
            std::fprintf(stderr, "partool: %s needs a value\n", option.c_str());
            return false;
        }
        if (option == "--ms" || option == "--frames" || option == "--size") {
            int value = std::atoi(argv[i]);
            if (value < 1 || value > 60000) {
                std::fprintf(stderr, "partool: %s %s is out of range\n", option.c_str(), argv[i]);
                return false;
            }
            (option == "--ms" ? options.ms : option == "--frames" ? options.frames : options.size) = value;
        } else if (option == "--move" && ReadNumbers(argv[i], numbers, 2)) {
            options.moveX = numbers[0];
            options.moveY = numbers[1];
        } else if (option == "--color" && ReadNumbers(argv[i], numbers, 4)) {
            for (float channel : numbers) options.color = (options.color << 8) | (unsigned(channel) & 255);
        } else if (option == "--mirror") {
            options.mirror = true;
        } else if (valued || option[0] == '-') {
            std::fprintf(stderr, "partool: bad option %s (see --help)\n", option.c_str());
            return false;
        } else {
            places.push_back(option);
        }
    }
    if (places.size() != 3 || options.frames * options.size > 16384) {
        std::fprintf(stderr, "%s", kUsage);
        return false;
    }
    options.gameFolder = places[0];
    options.effect = places[1];
    options.out = fs::absolute(places[2]).string();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && !std::strcmp(argv[1], "play")) {
        FxPlayOptions options;
        if (!ParsePlay(argc, argv, options)) return 2;
        return PlayFx(options) ? 0 : 1;
    }
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
