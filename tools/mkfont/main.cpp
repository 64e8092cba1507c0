// mkfont: converts a TrueType font into the game's "MVC4" vector font block, and checks a block against
// FreeType's rendering of the font it came from.
#include "tools/mkfont/glyph_outline.h"
#include "tools/mkfont/mvec_block.h"
#include "tools/mkfont/shape_check.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kUsage[] =
    "usage: mkfont FONT.ttf OUT.mvec\n"
    "       mkfont --check FONT.ttf BLOCK.mvec [PIXELS]\n"
    "\n"
    "The first form converts the glyphs of FONT.ttf for ASCII, Latin-1 and common punctuation (quotes, dashes,\n"
    "ellipsis, bullet, euro, trade mark) into an MVC4 block. The font must have a 'W'.\n"
    "The second form renders every glyph of BLOCK.mvec at PIXELS per em (default 128) and compares it with\n"
    "FreeType's rendering of FONT.ttf; it fails when any glyph has more than 2% clearly wrong pixels.\n";

constexpr double kMaxMismatch = 0.02;

std::vector<uint32_t> WantedCodepoints() {
    std::vector<uint32_t> codes;
    for (uint32_t c = 32; c <= 126; ++c) codes.push_back(c);
    for (uint32_t c = 160; c <= 255; ++c) codes.push_back(c);
    for (uint32_t c : {0x152u, 0x153u, 0x160u, 0x161u, 0x178u, 0x17Du, 0x17Eu, 0x2013u, 0x2014u, 0x2018u, 0x2019u,
                       0x201Au, 0x201Cu, 0x201Du, 0x201Eu, 0x2022u, 0x2026u, 0x20ACu, 0x2122u})
        codes.push_back(c);
    return codes;
}

struct FontFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FontFace() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
    bool Open(const char* path) {
        if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, path, 0, &face) != 0) {
            std::fprintf(stderr, "mkfont: cannot read the font %s\n", path);
            return false;
        }
        if (!FT_IS_SCALABLE(face)) {
            std::fprintf(stderr, "mkfont: %s has no outlines\n", path);
            return false;
        }
        return true;
    }
};

int Convert(const char* fontPath, const char* outPath) {
    FontFace font;
    if (!font.Open(fontPath)) return 1;
    std::vector<GlyphOutline> glyphs;
    bool hasW = false;
    for (uint32_t code : WantedCodepoints()) {
        GlyphOutline glyph;
        if (!LoadGlyphOutline(font.face, code, glyph)) continue;
        hasW |= code == 'W';
        glyphs.push_back(std::move(glyph));
    }
    if (!hasW) {
        std::fprintf(stderr, "mkfont: %s has no 'W', which fonts measure their ascent by\n", fontPath);
        return 1;
    }
    std::vector<uint8_t> block = BuildMvecBlock(glyphs);
    std::ofstream out(outPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "mkfont: cannot write %s\n", outPath);
        return 1;
    }
    std::printf("%s: %zu glyphs, %zu bytes\n", outPath, glyphs.size(), block.size());
    return 0;
}

int Check(const char* fontPath, const char* blockPath, int pixelSize) {
    FontFace font;
    if (!font.Open(fontPath)) return 1;
    std::ifstream in(blockPath, std::ios::binary);
    std::vector<uint8_t> block((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (ReadMvecRecords(block).empty()) {
        std::fprintf(stderr, "mkfont: %s is not an MVC4 font block\n", blockPath);
        return 1;
    }
    ShapeCheck check = CheckAgainstFreeType(font.face, block, pixelSize);
    std::printf("%d glyphs checked at %d px; worst U+%04X with %.2f%% clearly wrong pixels\n", check.glyphsChecked,
                pixelSize, check.worstCodepoint, check.worstMismatch * 100);
    return check.glyphsChecked > 0 && check.worstMismatch <= kMaxMismatch ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 3 && argv[1][0] != '-') return Convert(argv[1], argv[2]);
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--check") == 0) {
        int pixels = argc == 5 ? std::atoi(argv[4]) : 128;
        if (pixels < 4 || pixels > 1024) {
            std::fprintf(stderr, "mkfont: PIXELS must lie between 4 and 1024\n");
            return 2;
        }
        return Check(argv[2], argv[3], pixels);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
