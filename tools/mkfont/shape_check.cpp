#include "tools/mkfont/shape_check.h"

#include <cmath>

namespace {

struct Edge {
    double x0, y0, x1, y1;
};

using Path = std::vector<Edge>;

// Reads the outline commands of one glyph into polygon paths, curves cut finely.
std::vector<Path> ReadPaths(const std::vector<uint8_t>& block, size_t offset) {
    std::vector<Path> paths;
    double penX = 0, penY = 0;
    auto coordinate = [&](size_t at) { return static_cast<int16_t>(block[at] | (block[at + 1] << 8)); };
    auto addLine = [&](double x, double y) {
        if (paths.empty()) paths.emplace_back();
        paths.back().push_back({penX, penY, x, y});
        penX = x;
        penY = y;
    };
    static const size_t kSizes[9] = {0, 1, 2, 2, 5, 5, 9, 4, 1};
    while (offset < block.size()) {
        uint8_t command = block[offset];
        if (command < 1 || command > 7 || offset + kSizes[command] > block.size()) break;
        if (command == 1) paths.emplace_back();
        if (command == 4) {
            penX = coordinate(offset + 1);
            penY = coordinate(offset + 3);
        }
        if (command == 5) addLine(coordinate(offset + 1), coordinate(offset + 3));
        if (command == 6) {
            double x0 = penX, y0 = penY, cx = coordinate(offset + 1), cy = coordinate(offset + 3);
            double x1 = coordinate(offset + 5), y1 = coordinate(offset + 7);
            for (int i = 1; i <= 16; ++i) {
                double t = i / 16.0, u = 1 - t;
                addLine(u * u * x0 + 2 * u * t * cx + t * t * x1, u * u * y0 + 2 * u * t * cy + t * t * y1);
            }
        }
        offset += kSizes[command];
    }
    return paths;
}

bool Inside(const std::vector<Path>& paths, double x, double y) {
    for (const Path& path : paths) {
        bool odd = false;
        for (const Edge& e : path)
            if ((e.y0 > y) != (e.y1 > y) && x < e.x0 + (e.x1 - e.x0) * (y - e.y0) / (e.y1 - e.y0)) odd = !odd;
        if (odd) return true;
    }
    return false;
}

}  // namespace

ShapeCheck CheckAgainstFreeType(FT_Face face, const std::vector<uint8_t>& block, int pixelSize) {
    ShapeCheck result;
    if (FT_Set_Pixel_Sizes(face, 0, pixelSize) != 0) return result;
    const double unitsPerPixel = 16.0 * 128.0 / pixelSize;
    const int margin = 2;
    for (const MvecGlyphRecord& record : ReadMvecRecords(block)) {
        if (FT_Get_Char_Index(face, record.codepoint) == 0) continue;
        if (FT_Load_Char(face, record.codepoint, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        std::vector<Path> paths = ReadPaths(block, record.outlineOffset);
        int lit = 0, wrong = 0;
        for (int j = -margin; j < static_cast<int>(bitmap.rows) + margin; ++j) {
            for (int i = -margin; i < static_cast<int>(bitmap.width) + margin; ++i) {
                bool inBitmap = i >= 0 && j >= 0 && i < static_cast<int>(bitmap.width) && j < static_cast<int>(bitmap.rows);
                int grey = inBitmap ? bitmap.buffer[j * bitmap.pitch + i] : 0;
                double x = (face->glyph->bitmap_left + i + 0.5) * unitsPerPixel;
                double y = (j + 0.5 - face->glyph->bitmap_top) * unitsPerPixel;
                bool ours = Inside(paths, x, y);
                lit += grey >= 128;
                wrong += (grey < 96 && ours) || (grey > 160 && !ours);
            }
        }
        ++result.glyphsChecked;
        double mismatch = static_cast<double>(wrong) / std::max(lit, 1);
        if (mismatch > result.worstMismatch) {
            result.worstMismatch = mismatch;
            result.worstCodepoint = record.codepoint;
        }
    }
    return result;
}
