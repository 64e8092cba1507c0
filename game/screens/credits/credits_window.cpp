#include "game/screens/credits/credits_window.h"

#include <cmath>
#include <string>

#include "engine/core/base/log.h"
#include "engine/core/files/file.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/textblock.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_style.h"
#include "game/screens/credits/credits_markup.h"

namespace {

constexpr uint32_t kFramePeriodMs = 33;
constexpr int kCenteredText = 1;
constexpr TScriptColor kWhite = {1.0f, 1.0f, 1.0f, 1.0f};

uint32_t Now() {
    TWindowManager* manager = TWindowManager::Get();
    return manager ? manager->Host().GetTimer() : 0;
}

std::string FontTag(TWindowStyle& style, const char* colorName, const char* sizeName, int size) {
    TScriptColor color = style.GetColor(colorName, kWhite);
    return CreditsFontTag(color.data(), style.GetInt(sizeName, size));
}

// The whole file in text mode (line ends as "\n"); false when it cannot be opened.
bool ReadWholeFile(const TString& path, std::string& text) {
    TFile file;
    if (path.IsEmpty() || !file.Open(path, kFileReadText)) return false;
    char buffer[4096];
    int32_t got;
    while ((got = file.Read(buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(got));
    return true;
}

}  // namespace

void clsCreditsWnd::BlockDeleter::operator()(TTextBlock* block) const { TTextBlock::Destroy(block); }

clsCreditsWnd::clsCreditsWnd() = default;
clsCreditsWnd::~clsCreditsWnd() = default;

TWindow* clsCreditsWnd::Create() { return new clsCreditsWnd(); }

TClassId clsCreditsWnd::ClassId() { return reinterpret_cast<TClassId>(&clsCreditsWnd::Create); }

int clsCreditsWnd::PositiveInt(TWindowStyle& style, const char* name, int fallback) {
    int value = style.GetInt(name, fallback);
    if (value >= 1) return value;
    LogPrintf("[WARN] CreditsWindow: \"%s\" %d is not above 0; 1 is used", name, value);
    return 1;
}

TString clsCreditsWnd::ReadCredits(const TString& path, TWindowStyle& style) {
    std::string fileText;
    if (!ReadWholeFile(path, fileText)) {
        LogPrintf("[WARN] CreditsWindow: the credits file \"%s\" cannot be read", path.CStr());
        return TString();
    }
    CreditsSpans spans{FontTag(style, "headercolor", "headersize", 28), FontTag(style, "sectioncolor", "sectionsize", 32)};
    std::string converted = ConvertCreditsText(fileText, spans);
    return TString(converted.data(), static_cast<unsigned>(converted.size()));
}

void clsCreditsWnd::Init(TWindowStyle& style) {
    TWindow::Init(style);
    int timeMs = PositiveInt(style, "time", 0);
    int columnGap = style.GetInt("columngap", 0);
    int columnWidth = style.GetInt("columnwidth", 0);
    slotHeight_ = style.GetInt("slotheight", 0);
    TString font = style.GetString("font", TString());
    int fontSize = PositiveInt(style, "fontsize", 24);
    TScriptColor fontColor = style.GetColor("fontcolor", kWhite);

    // The text ends with a window's height of empty lines.
    text_ = TString("\n") + ReadCredits(style.GetString("file", TString()), style);
    for (int line = 0, blank = GetHeight() / fontSize; line < blank; ++line) text_ += '\n';
    block_.reset(TTextBlock::Create(text_ + text_, columnGap + 2 * columnWidth, GetHeight(), kCenteredText, font,
                                    fontSize, fontColor.data()));

    StartAnim(kFramePeriodMs, true, true);
    speed_ = static_cast<float>(slotHeight_) / static_cast<float>(timeMs);
    startMs_ = Now();
    drawRect_ = TRect(columnGap, 0, GetWidth(), GetHeight());
    MoveTo(GetRect().left, slotHeight_);
}

void clsCreditsWnd::Draw() {
    if (!block_) return;
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer->Begin2d();
    // 2-D coordinates count from the screen: the rectangle is placed at the window's global place.
    TRect global = GetGlobalRect();
    block_->DrawInRect(TRect(global.left + drawRect_.left, global.top + drawRect_.top, global.left + drawRect_.right,
                             global.top + drawRect_.bottom),
                       1.0f);
    if (entered) renderer->End2d();
}

bool clsCreditsWnd::OnAnimate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    MoveTo(GetRect().left, -ScrollOffsetAt(Now() - startMs_));
    return true;
}

int clsCreditsWnd::ScrollOffsetAt(uint32_t elapsedMs) const {
    int height = GetHeight();
    if (height == 0) return 0;
    float risen = std::trunc(static_cast<float>(elapsedMs) * speed_);
    return static_cast<int>(std::fmod(risen, static_cast<float>(height))) - slotHeight_;
}
