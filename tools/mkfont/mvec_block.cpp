#include "tools/mkfont/mvec_block.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

enum Command : uint8_t { kNewPath = 1, kFillStyle = 2, kMove = 4, kLine = 5, kCurve = 6, kEnd = 8 };

void PutU16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

void PutPoint(std::vector<uint8_t>& out, OutlinePoint p) {
    PutU16(out, static_cast<uint16_t>(static_cast<int16_t>(std::clamp(p.x, -32768, 32767))));
    PutU16(out, static_cast<uint16_t>(static_cast<int16_t>(std::clamp(p.y, -32768, 32767))));
}

std::vector<uint8_t> EncodeOutline(const GlyphOutline& glyph) {
    std::vector<uint8_t> out;
    for (const auto& path : GroupIntoPaths(glyph)) {
        out.insert(out.end(), {kNewPath, kFillStyle, 1});
        for (const OutlineContour* contour : path) {
            out.push_back(kMove);
            PutPoint(out, contour->start);
            for (const OutlineSegment& s : contour->segments) {
                out.push_back(s.curve ? kCurve : kLine);
                if (s.curve) PutPoint(out, s.control);
                PutPoint(out, s.end);
            }
        }
    }
    out.push_back(kEnd);
    return out;
}

MvecGlyphRecord Extents(const GlyphOutline& glyph) {
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    auto take = [&](OutlinePoint p) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    };
    for (const OutlineContour& contour : glyph.contours) {
        take(contour.start);
        for (const OutlineSegment& s : contour.segments) {
            if (s.curve) take(s.control);
            take(s.end);
        }
    }
    auto s16 = [](int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); };
    if (left == INT_MAX)  // no outline points: a blank glyph reaches as far as it advances
        return {glyph.codepoint, 0, s16(glyph.advance), 0, 0, s16(glyph.advance), 0};
    return {glyph.codepoint, s16(left), s16(right), s16(top), s16(bottom), s16(glyph.advance), 0};
}

int16_t ReadS16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

}  // namespace

std::vector<uint8_t> BuildMvecBlock(const std::vector<GlyphOutline>& glyphs) {
    std::vector<uint8_t> block{'M', 'V', 'C', '4'};
    PutU16(block, static_cast<unsigned>(glyphs.size()));
    block.resize(kMvecHeaderSize + kMvecRecordSize * glyphs.size(), 0);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        MvecGlyphRecord record = Extents(glyphs[i]);
        record.outlineOffset = static_cast<uint32_t>(block.size());
        std::vector<uint8_t> outline = EncodeOutline(glyphs[i]);
        block.insert(block.end(), outline.begin(), outline.end());

        std::vector<uint8_t> bytes;
        PutU32(bytes, record.codepoint);
        for (int16_t v : {record.left, record.right, record.top, record.bottom, record.advance})
            PutU16(bytes, static_cast<uint16_t>(v));
        PutU32(bytes, record.outlineOffset);
        std::copy(bytes.begin(), bytes.end(), block.begin() + kMvecHeaderSize + kMvecRecordSize * i);
    }
    return block;
}

std::vector<MvecGlyphRecord> ReadMvecRecords(const std::vector<uint8_t>& block) {
    if (block.size() < kMvecHeaderSize || std::memcmp(block.data(), "MVC4", 4) != 0) return {};
    size_t count = block[4] | (block[5] << 8);
    if (kMvecHeaderSize + kMvecRecordSize * count > block.size()) return {};
    std::vector<MvecGlyphRecord> records;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = block.data() + kMvecHeaderSize + kMvecRecordSize * i;
        records.push_back({ReadU32(p), ReadS16(p + 4), ReadS16(p + 6), ReadS16(p + 8), ReadS16(p + 10),
                           ReadS16(p + 12), ReadU32(p + 14)});
    }
    return records;
}
