#include "engine/graphics/vecdraw_internal.h"

#include "engine/core/base/color.h"

#include <algorithm>

namespace {

// Colours that share a slot share its coverage rows and ramp: the stroke layers (255, 254), the text
// colour (1) and every other colour.
struct SlotMap {
    uint8_t slot[256];
    SlotMap() {
        std::fill(std::begin(slot), std::end(slot), 2);
        slot[255] = 0;
        slot[254] = 1;
        slot[1] = 3;
    }
};
const SlotMap kSlots;

// Past this many span records the cache starts afresh, so animated sizes cannot grow it without end.
constexpr size_t kMaxCachedSpans = 1 << 20;

uint32_t WithAlpha(TColor colour, int alpha) { return (colour.Argb() & 0x00FFFFFF) | (static_cast<uint32_t>(alpha) << 24); }

}  // namespace

TQvMiniVecDraw::TQvMiniVecDraw(Output* output)
    : output_(output), scan_(std::make_unique<Scan>()), cache_(std::make_unique<Cache>()) {}

TQvMiniVecDraw::~TQvMiniVecDraw() = default;

bool TQvMiniVecDraw::Begin(float x, float y, const TVecTarget* target) {
    originX_ = static_cast<int>(x);
    originY_ = static_cast<int>(y);
    phaseX_ = static_cast<int>(4 * x) % 4;
    phaseY_ = static_cast<int>(4 * y) % 4;
    if (bound_ && (!target || target->pixels != target_.pixels)) End();
    bound_ = target && target->pixels;
    if (bound_) target_ = *target;
    return true;
}

void TQvMiniVecDraw::SetColor(int number, float r, float g, float b, float a, float opacity) {
    number &= 255;
    TColor colour(r, g, b, a);
    int alpha = static_cast<int>(colour.A() * opacity) & 255;
    uint32_t* ramp = ramps_[kSlots.slot[number]];
    for (int k = 0; k < 32; ++k) ramp[k] = WithAlpha(colour, (alpha * (k < 16 ? 16 * (k + 1) : 255)) >> 8);
    const int partialWeights[4] = {17, 40, 73, 128};
    for (int i = 0; i < 4; ++i) partial_[number][i] = WithAlpha(colour, (alpha * partialWeights[i]) >> 8);
}

void TQvMiniVecDraw::DrawShape(const uint8_t* outline, size_t limit, int x, int y) {
    if (!outline || limit == 0) return;
    x += phaseX_;
    y += phaseY_;
    shapeX_ = x >> 2;
    shapeY_ = y >> 2;
    Key key{outline, x & 3, y & 3, scaleX, scaleY, halfWidth[0], halfWidth[1], slant, cosine, sine};
    auto cached = cache_->shapes.find(key);
    if (cached != cache_->shapes.end()) {
        Replay(cached->second);
        return;
    }
    if (cache_->spans.size() > kMaxCachedSpans) {
        cache_->shapes.clear();
        cache_->spans.clear();
    }
    cache_->shapes.emplace(key, cache_->spans.size());
    recording_ = true;
    ScanShape(outline, limit, x & 3, y);
    cache_->spans.push_back({0, 0, 0, 255, 0});
    recording_ = false;
}

void TQvMiniVecDraw::ScanShape(const uint8_t* outline, size_t limit, int phaseX, int y) {
    Scan& scan = *scan_;
    scan.scaleX = scaleX;
    scan.scaleY = scaleY;
    scan.cosine = cosine;
    scan.sine = sine;
    scan.halfWidth[0] = halfWidth[0];
    scan.halfWidth[1] = halfWidth[1];
    scan.slant = slant;
    scan.Reset(scaleY);
    scan.Interpret(outline, limit, *this);
    scan.Convert(phaseX, y, *this, kSlots.slot);
}

void TQvMiniVecDraw::EmitRun(int x0, int x1, int row, int level, int slot) {
    if (recording_)
        cache_->spans.push_back({static_cast<int16_t>(x0), static_cast<int16_t>(x1), static_cast<int16_t>(row),
                                 static_cast<uint8_t>(level), static_cast<uint8_t>(slot)});
    int left = originX_ + shapeX_;
    batch_.push_back({left + x0, left + x1, originY_ + shapeY_ + row, ramps_[slot][std::min(level, 31)]});
    if (static_cast<int>(batch_.size()) * 2 >= batchCapacity) FlushRuns();
}

void TQvMiniVecDraw::Replay(size_t first) {
    for (size_t i = first; i < cache_->spans.size() && cache_->spans[i].level != 255; ++i) {
        const Cache::Span& span = cache_->spans[i];
        EmitRun(span.x0, span.x1, span.row, span.level, span.slot);
    }
}

void TQvMiniVecDraw::FlushRuns() {
    if (batch_.empty()) return;
    if (bound_)
        WriteRunsToTarget();
    else if (output_)
        output_->DrawRuns(batch_.data(), static_cast<int>(batch_.size()), startOffset, endOffset, yOffset);
    batch_.clear();
}

void TQvMiniVecDraw::End() {
    FlushRuns();
    bound_ = false;
    target_ = TVecTarget();
}

void TQvMiniVecDraw::SetPixelOffsets(int a, int b, int c) {
    startOffset = a / 4.0f - 1;
    endOffset = b / 4.0f - 1;
    yOffset = c / 4.0f;
}

size_t TQvMiniVecDraw::CachedShapeCount() const { return cache_->shapes.size(); }
