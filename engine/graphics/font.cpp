#include "engine/graphics/font.h"

#include "engine/core/files/file.h"
#include "engine/graphics/builtin_font.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace {

constexpr size_t kHeaderSize = 12;
constexpr size_t kRecordSize = 18;
constexpr float kUnit = 1.0f / 128.0f;

int16_t S16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

}  // namespace

TVecFont::TVecFont(std::vector<uint8_t> block) : data_(std::move(block)) {
    if (data_.size() < kHeaderSize || std::memcmp(data_.data(), "MVC4", 4) != 0) return;
    ReadGlyphs();
    MeasureLine();
}

void TVecFont::ReadGlyphs() {
    size_t count = std::min<size_t>(data_[4] | (data_[5] << 8), (data_.size() - kHeaderSize) / kRecordSize);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* record = data_.data() + kHeaderSize + kRecordSize * i;
        Glyph glyph{S16(record + 4), S16(record + 6), S16(record + 8), S16(record + 10), S16(record + 12),
                    U32(record + 14)};
        if (glyph.outlineOffset >= data_.size()) continue;  // a damaged record: no such glyph
        codes_.push_back(U32(record));
        glyphs_.push_back(glyph);
    }
}

void TVecFont::MeasureLine() {
    int w = FindGlyph('W');
    for (size_t i = 0; i < glyphs_.size(); ++i) {
        if (w < 0) ascent = std::max(ascent, -glyphs_[i].top * kUnit);  // no 'W': the tallest glyph
        if (codes_[i] < 128 && codes_[i] != '_') descent = std::max(descent, glyphs_[i].bottom * kUnit);
    }
    if (w >= 0) ascent = -glyphs_[w].top * kUnit;

    float above = ascent + TopMargin(), below = descent + BottomMargin();
    fitScale_.assign(glyphs_.size(), 1.0f);
    if (above <= 0 || below <= 0) return;  // a degenerate font: leave every glyph unscaled
    for (size_t i = 0; i < glyphs_.size(); ++i) {
        float up = -glyphs_[i].top * kUnit / above, down = glyphs_[i].bottom * kUnit / below;
        if (up > 1.0f || down > 1.0f) fitScale_[i] = 1.0f / std::max(up, down);
    }
}

int TVecFont::FindGlyph(uint32_t codepoint) const {
    int low = 0, high = GlyphCount() - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        if (codes_[middle] == codepoint) return middle;
        if (codes_[middle] < codepoint)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return -1;
}

const TVecFont::Glyph* TVecFont::At(int index) const {
    return index >= 0 && index < GlyphCount() ? &glyphs_[index] : nullptr;
}

const uint8_t* TVecFont::GetOutline(int index) const {
    const Glyph* glyph = At(index);
    return glyph ? data_.data() + glyph->outlineOffset : nullptr;
}

size_t TVecFont::GetOutlineLimit(int index) const {
    const Glyph* glyph = At(index);
    return glyph ? data_.size() - glyph->outlineOffset : 0;
}

float TVecFont::GetLeft(int index) const { return At(index) ? At(index)->left * kUnit : 0.0f; }
float TVecFont::GetRight(int index) const { return At(index) ? At(index)->right * kUnit : 0.0f; }
float TVecFont::GetTop(int index) const { return At(index) ? At(index)->top * kUnit : 0.0f; }
float TVecFont::GetBottom(int index) const { return At(index) ? At(index)->bottom * kUnit : 0.0f; }
float TVecFont::GetAdvance(int index) const { return At(index) ? At(index)->advance * kUnit : 0.0f; }
float TVecFont::GetFitScale(int index) const { return At(index) ? fitScale_[index] : 1.0f; }

namespace {

std::map<TString, std::unique_ptr<TVecFont>>& Fonts() {
    static std::map<TString, std::unique_ptr<TVecFont>> fonts;
    return fonts;
}

bool ReadWholeFile(const TString& path, std::vector<uint8_t>& bytes) {
    TFile file;
    if (!file.Open(path, kFileReadBinary)) return false;
    bytes.resize(static_cast<size_t>(std::max(file.GetSize(), 0)));
    return file.Read(bytes.data(), static_cast<int32_t>(bytes.size())) == static_cast<int32_t>(bytes.size());
}

std::vector<uint8_t> BuiltinBlock() { return std::vector<uint8_t>(kBuiltinFontData, kBuiltinFontData + kBuiltinFontSize); }

}  // namespace

TVecFont* TFontCache::GetFont(const TString& name) {
    auto& fonts = Fonts();
    auto found = fonts.find(name);
    if (found != fonts.end()) return found->second.get();

    std::vector<uint8_t> block;
    if (name != "__DEFAULT" && !ReadWholeFile(name, block) && !ReadWholeFile("fonts/default.mvec", block))
        block.clear();
    // Every lookup ends with a font: the built-in one is the last fall-back.
    auto font = std::make_unique<TVecFont>(block.empty() ? BuiltinBlock() : std::move(block));
    return (fonts[name] = std::move(font)).get();
}

void TFontCache::Clear() { Fonts().clear(); }
