#include "engine/ui/text_font.h"

#include "engine/ui/window_style.h"

namespace {

constexpr int kDefaultSize = 16;
constexpr int kSizeForZero = 12;
const TScriptColor kDefaultColor = {0, 1, 0, 1};

}  // namespace

TFontSpec TFontSpec::FromStyle(const TWindowStyle& style) {
    TFontSpec font;
    font.face = "__DEFAULT";
    TScriptColor color = kDefaultColor;
    if (std::unique_ptr<TLuaTable> table = style.GetTable("font")) {
        font.face = table->GetString(1, font.face);
        font.size = static_cast<int>(table->GetNumber(2, kDefaultSize));
        color = table->GetColor(3, kDefaultColor);
    }
    if (font.size == 0) font.size = kSizeForZero;
    for (int i = 0; i < 4; ++i) font.color[i] = color[i];
    return font;
}
