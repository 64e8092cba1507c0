// Laying a text block out: markup into style runs, runs into wrapped, aligned lines.
#include "engine/graphics/textblock.h"

#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/graphics/font.h"
#include "engine/graphics/text_markup.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr const char* kFallbackFont = "fonts/default.mvec";

void CopyColor(float to[4], const float from[4]) { std::copy(from, from + 4, to); }

bool LineEndingTag(TTagKind kind) {
    switch (kind) {
    case TTagKind::kBreak: case TTagKind::kEndParagraph: case TTagKind::kCenter: case TTagKind::kEndCenter:
    case TTagKind::kLeft: case TTagKind::kEndLeft: case TTagKind::kRight: case TTagKind::kEndRight:
        return true;
    default:
        return false;
    }
}

// Builds one line after another from the block's text.
class LineBuilder {
public:
    explicit LineBuilder(TTextBlock& block)
        : block_(block), style_(*block.style), fallback_(TFontCache::GetFont(kFallbackFont)),
          length_(static_cast<int>(block.text.Length())), legacyWrap_(!GetConfig("legacylinewrap").IsEmpty()) {}

    bool More() const { return index_ < length_; }
    std::shared_ptr<TTextLine> NextLine();

private:
    void OpenRun(TVecFont* font, TVecFont* styleFont);
    void CloseRun(int lastIndex);
    void ApplyTag(const TTag& tag);
    bool PlaceGlyph(uint32_t codepoint);  // false when the run must change font first
    bool Wrap(int charIndex, int nextIndex, float penBefore);
    void FinishLine();

    TTextBlock& block_;
    TTextStyleState& style_;
    TVecFont* fallback_;
    int length_;
    bool legacyWrap_;

    int index_ = 0;
    std::shared_ptr<TTextLine> line_;
    TTextRun* run_ = nullptr;
    float pen_ = 0, takeBack_ = 0, lead_ = 0;
    bool firstGlyph_ = true, anyCharacter_ = false, countsAsCharacter_ = false;
    int breakRun_ = -1, breakIndex_ = -1;
    float breakPen_ = 0;
    int pad_ = 0;
    int alignment_ = 0;
};

void LineBuilder::OpenRun(TVecFont* font, TVecFont* styleFont) {
    const TFontStyle& fontStyle = style_.Font();
    bool previousItalic = !line_->runs.empty() && line_->runs.back().italic;
    TTextRun run;
    run.font = font;
    run.styleFont = styleFont;
    run.size = fontStyle.size;
    if (font && font->ascent + font->descent > 0) {
        run.scale = 0.8f * fontStyle.size * 4 / (font->ascent + font->descent);
        run.ascentQ = static_cast<int>((font->TopMargin() + font->ascent) * run.scale);
    }
    CopyColor(run.color, fontStyle.color);
    run.bold = style_.bold;
    run.italic = style_.italic;
    run.underline = style_.underline;
    run.first = index_;
    run.startPx = static_cast<int>(pen_ / 4);
    run.link = style_.link;
    CopyColor(run.linkColor, style_.linkColor);
    run.outlineWidth = style_.outlineWidth;
    CopyColor(run.outlineColor, style_.outlineColor);
    if (font && run.italic != previousItalic)
        pen_ += run.scale / 3 * (run.italic ? font->descent : font->ascent);
    line_->runs.push_back(run);
    run_ = &line_->runs.back();
    countsAsCharacter_ = false;
}

void LineBuilder::CloseRun(int lastIndex) {
    run_->last = lastIndex;
    run_->endPx = static_cast<int>(pen_ / 4);
    if (!run_->HasCharacters() && !countsAsCharacter_) run_->size = run_->ascentQ = 0;
}

void LineBuilder::ApplyTag(const TTag& tag) {
    TFontStyle* level = style_.fontDepth < TTextStyleState::kLevels ? &style_.fonts[style_.fontDepth] : nullptr;
    int pushAlign = -1;
    switch (tag.kind) {
    case TTagKind::kBreak:
        tag.IntAttribute("pad", pad_);
        break;
    case TTagKind::kLink:
        style_.link = TString();
        tag.Attribute("id", style_.link);
        if (!tag.ColorAttribute("color", false, style_.linkColor)) CopyColor(style_.linkColor, style_.Font().color);
        break;
    case TTagKind::kEndLink:
        style_.link = TString();
        CopyColor(style_.linkColor, style_.Font().color);
        break;
    case TTagKind::kBold: style_.bold = true; break;
    case TTagKind::kEndBold: style_.bold = false; break;
    case TTagKind::kItalic: style_.italic = true; break;
    case TTagKind::kEndItalic: style_.italic = false; break;
    case TTagKind::kUnderline: style_.underline = true; break;
    case TTagKind::kEndUnderline: style_.underline = false; break;
    case TTagKind::kCenter: pushAlign = 1; break;
    case TTagKind::kLeft: pushAlign = 0; break;
    case TTagKind::kRight: pushAlign = 2; break;
    case TTagKind::kEndCenter: case TTagKind::kEndLeft: case TTagKind::kEndRight:
        style_.alignDepth = std::max(style_.alignDepth - 1, 0);
        break;
    case TTagKind::kFont: {
        TFontStyle copy = style_.Font();
        ++style_.fontDepth;
        level = style_.fontDepth < TTextStyleState::kLevels ? &style_.fonts[style_.fontDepth] : nullptr;
        if (!level) break;  // counted so that the closing tags pair up, not stored
        *level = copy;
        tag.IntAttribute("size", level->size);
        tag.ColorAttribute("color", true, level->color);
        tag.Attribute("face", level->face);
        break;
    }
    case TTagKind::kEndFont:
        style_.fontDepth = std::max(style_.fontDepth - 1, 0);
        break;
    case TTagKind::kOutline: {
        tag.ColorAttribute("color", false, style_.outlineColor);
        int width = 0;
        style_.outlineWidth = tag.IntAttribute("size", width) ? static_cast<float>(width) : 2.0f;
        break;
    }
    case TTagKind::kEndOutline:
        style_.outlineWidth = 0;
        std::fill(std::begin(style_.outlineColor), std::end(style_.outlineColor), 0.0f);
        break;
    case TTagKind::kTab: {
        int position = 0;
        if (tag.IntAttribute("pos", position)) {
            run_->tabPos = position * 4;
            pen_ = static_cast<float>(run_->tabPos);
        }
        break;
    }
    default:
        break;
    }
    if (pushAlign >= 0) {
        ++style_.alignDepth;
        if (style_.alignDepth < TTextStyleState::kLevels) style_.align[style_.alignDepth] = pushAlign;
    }
}

bool LineBuilder::PlaceGlyph(uint32_t codepoint) {
    TVecFont* font = run_->font;
    TVecFont* own = run_->styleFont ? run_->styleFont : font;
    if (!font) {
        LogPrintf("ERROR: FONT missing in text when attempting to render string %s.", block_.text.CStr());
        return true;
    }
    int glyph = font->FindGlyph(codepoint);
    if (run_->styleFont && own->FindGlyph(codepoint) >= 0) {  // back to the style's own font
        CloseRun(index_ - 1);
        OpenRun(own, nullptr);
        return false;
    }
    if (glyph < 0) {
        if (run_->styleFont || !fallback_ || fallback_ == font || fallback_->FindGlyph(codepoint) < 0) return true;
        CloseRun(index_ - 1);
        OpenRun(fallback_, font);
        return false;
    }
    pen_ -= takeBack_;
    takeBack_ = 0;
    if (firstGlyph_) {
        lead_ = 4 - font->GetLeft(glyph) * run_->scale;
        pen_ += lead_;
        firstGlyph_ = false;
    }
    float advance = font->GetAdvance(glyph) * run_->scale, right = font->GetRight(glyph) * run_->scale;
    pen_ += std::max(advance, right);
    if (right > advance) takeBack_ = right - advance;
    return true;
}

// After a character moved the pen past the box: true when the line ends here.
bool LineBuilder::Wrap(int charIndex, int nextIndex, float penBefore) {
    if (pen_ <= 4.0f * block_.width) return false;
    if (breakRun_ >= 0) {
        line_->runs.resize(static_cast<size_t>(breakRun_) + 1);
        run_ = &line_->runs.back();
        pen_ = breakPen_;
        takeBack_ = 0;
        CloseRun(breakIndex_ - 1);
        index_ = breakIndex_ + 1;
        return true;
    }
    if (!anyCharacter_ || legacyWrap_) {
        CloseRun(nextIndex - 1);
        index_ = nextIndex;
    } else {
        pen_ = penBefore;
        takeBack_ = 0;
        CloseRun(charIndex - 1);
        index_ = charIndex;
    }
    return true;
}

std::shared_ptr<TTextLine> LineBuilder::NextLine() {
    line_ = std::make_shared<TTextLine>();
    pen_ = takeBack_ = lead_ = 0;
    firstGlyph_ = true;
    anyCharacter_ = false;
    breakRun_ = breakIndex_ = -1;
    pad_ = 0;
    alignment_ = style_.Align() >= 0 ? style_.Align() : block_.flags & (TTextBlock::kCenter | TTextBlock::kRight);
    TVecFont* font = TFontCache::GetFont(style_.Font().face);
    OpenRun(font, nullptr);

    while (index_ < length_) {
        if (block_.text.CharAt(static_cast<unsigned>(index_)) == '<') {
            TTag tag = ReadTag(block_.text, index_);
            if (tag.kind != TTagKind::kNone) {
                bool cursor = tag.kind == TTagKind::kCursor;
                // These tags count as a character of the run they close, which so keeps its height.
                countsAsCharacter_ = countsAsCharacter_ || cursor || tag.kind == TTagKind::kBreak ||
                                     tag.kind == TTagKind::kEndParagraph;
                run_->cursor = run_->cursor || cursor;
                CloseRun(index_ - 1);
                index_ = tag.next;
                ApplyTag(tag);
                if (LineEndingTag(tag.kind)) break;
                OpenRun(TFontCache::GetFont(style_.Font().face), nullptr);
                continue;
            }
        }
        TCodePoint cp = DecodeTextCharAt(block_.text, index_);
        if (cp.value == '\n') {
            countsAsCharacter_ = true;  // an empty line keeps its height, as after "br"
            CloseRun(index_ - 1);
            index_ = cp.next;
            break;
        }
        if (cp.value == ' ') {
            breakRun_ = static_cast<int>(line_->runs.size()) - 1;
            breakIndex_ = index_;
            breakPen_ = pen_;
        }
        float penBefore = pen_;
        if (!PlaceGlyph(cp.value)) continue;  // the run changed font: read the character again
        if (Wrap(index_, cp.next, penBefore)) break;
        anyCharacter_ = true;
        index_ = cp.next;
    }
    if (run_->last == -2) CloseRun(index_ - 1);
    FinishLine();
    return line_;
}

void LineBuilder::FinishLine() {
    TTextLine& line = *line_;
    const TTextRun* firstGlyphRun = nullptr;
    const TTextRun* lastGlyphRun = nullptr;
    for (const TTextRun& run : line.runs) {
        line.height = std::max(line.height, run.size);
        line.baseline = std::max(line.baseline, run.ascentQ);
        if (run.HasCharacters()) {
            if (!firstGlyphRun) firstGlyphRun = &run;
            lastGlyphRun = &run;
        }
    }
    line.height += pad_;

    int lineWidth = static_cast<int>(std::lround(pen_)) / 4;
    if (alignment_ & TTextBlock::kCenter) {
        line.x = block_.width / 2;
        line.xAdjust = -lineWidth * 0.5f;
    } else if (alignment_ & TTextBlock::kRight) {
        line.x = block_.width - static_cast<int>(std::lround(lastGlyphRun ? lastGlyphRun->outlineWidth : 0)) - 1;
        line.xAdjust = static_cast<float>(-lineWidth);
    } else {
        line.x = static_cast<int>(std::lround(firstGlyphRun ? firstGlyphRun->outlineWidth : 0));
        line.xAdjust = 0;
    }
    line.xAdjust += 0.5f + lead_ / 4;

    block_.boundsLeft = std::min(block_.boundsLeft, line.x);
    block_.boundsRight = std::max(block_.boundsRight, line.x + static_cast<int>(std::lround(pen_)));
    block_.boundsHeight += line.height;
}

}  // namespace

void TTextStyleState::Reset() {
    fontDepth = 0;
    bold = italic = underline = false;
    alignDepth = 0;
    align[0] = -1;
    link = TString();
    std::fill(std::begin(linkColor), std::end(linkColor), 0.0f);
    outlineWidth = 0;
    std::fill(std::begin(outlineColor), std::end(outlineColor), 0.0f);
}

void TTextBlock::Layout() {
    lines.clear();
    boundsLeft = INT_MAX;
    boundsTop = boundsRight = boundsHeight = 0;
    style->Reset();
    style->fonts[0].face = fontName;
    style->fonts[0].size = size;
    CopyColor(style->fonts[0].color, color);

    LineBuilder builder(*this);
    while (builder.More()) lines.push_back(builder.NextLine());

    if (flags & kMiddle) {
        boundsTop = height / 2;
        verticalOffset = -boundsHeight * 0.5f;
    } else if (flags & kBottom) {
        boundsTop = height;
        verticalOffset = static_cast<float>(-boundsHeight);
    } else {
        boundsTop = 0;
        verticalOffset = 0;
    }
    if (boundsLeft == INT_MAX) boundsLeft = 0;
}
