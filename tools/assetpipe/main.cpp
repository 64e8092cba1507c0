// assetpipe: renders the game's picture and animation sources and draws contact sheets of the result.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/assetpipe/anim_sheet.h"
#include "tools/assetpipe/contact_sheet.h"
#include "tools/assetpipe/svg_document.h"

namespace {

const char kUsage[] =
    "Usage: assetpipe <command> <arguments>\n"
    "\n"
    "  assetpipe picture <in.svg> <out.png> [<width> <height>]\n"
    "      render an SVG picture (at its own size unless one is given)\n"
    "  assetpipe anim <in.anim> <out.xml> [<depfile>]\n"
    "      render an animation description to its frame sheet <out>.png and the animation XML\n"
    "      (and a make rule naming the SVG it reads)\n"
    "  assetpipe contact <asset folder> <prefix> [<asset name prefix>...]\n"
    "      draw every picture and animation frame of a built asset folder (or only those\n"
    "      whose names start with one of the name prefixes, larger) on\n"
    "      <prefix>_pictures_N.png and <prefix>_animations_N.png\n"
    "  assetpipe scene <asset folder> <out.png> <picture> [<animation>@<x>,<y>...]\n"
    "      draw the first frame of each animation, placed by its registration point, on the picture\n"
    "\n"
    "The exit status is 0 on success, 1 on failure and 2 for a bad command line.\n";

int BadUsage() {
    fputs(kUsage, stderr);
    return 2;
}

int Result(bool ok, const std::string& error) {
    if (ok) return 0;
    fprintf(stderr, "assetpipe: %s\n", error.c_str());
    return 1;
}

bool ParseSize(const char* text, int* value) {
    char* end = nullptr;
    long number = std::strtol(text, &end, 10);
    if (*end != '\0' || number < 1 || number > 8192) return false;
    *value = static_cast<int>(number);
    return true;
}

// "name@x,y"
bool ParsePlacement(const std::string& text, assetpipe::ScenePlacement* sprite) {
    size_t at = text.rfind('@'), comma = text.rfind(',');
    if (at == std::string::npos || comma == std::string::npos || comma < at) return false;
    char* end = nullptr;
    sprite->animation = text.substr(0, at);
    sprite->x = std::strtod(text.c_str() + at + 1, &end);
    if (end != text.c_str() + comma) return false;
    sprite->y = std::strtod(text.c_str() + comma + 1, &end);
    return *end == '\0' && !sprite->animation.empty();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help") return args.empty() ? BadUsage() : (fputs(kUsage, stdout), 0);
    std::string error;
    const std::string& command = args[0];
    if (command == "picture" && (args.size() == 3 || args.size() == 5)) {
        int width = 0, height = 0;
        if (args.size() == 5 && !(ParseSize(argv[4], &width) && ParseSize(argv[5], &height))) return BadUsage();
        return Result(assetpipe::RenderSvgToPng(args[1], width, height, args[2], &error), error);
    }
    if (command == "anim" && (args.size() == 3 || args.size() == 4)) {
        std::string depfile = args.size() == 4 ? args[3] : std::string();
        return Result(assetpipe::RenderAnimation(args[1], args[2], depfile, &error), error);
    }
    if (command == "contact" && args.size() >= 3) {
        std::vector<std::string> pages;
        std::vector<std::string> chosen(args.begin() + 3, args.end());
        bool ok = assetpipe::WriteContactSheets(args[1], args[2], chosen, &pages, &error);
        for (const std::string& page : pages) printf("%s\n", page.c_str());
        return Result(ok, error);
    }
    if (command == "scene" && args.size() >= 4) {
        std::vector<assetpipe::ScenePlacement> sprites;
        for (size_t i = 4; i < args.size(); ++i) {
            assetpipe::ScenePlacement sprite;
            if (!ParsePlacement(args[i], &sprite)) return BadUsage();
            sprites.push_back(sprite);
        }
        return Result(assetpipe::WriteScene(args[1], args[3], sprites, args[2], &error), error);
    }
    return BadUsage();
}
