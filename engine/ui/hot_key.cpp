#include "engine/ui/hot_key.h"

#include <cctype>

namespace {

char UpperLast(const TString& text) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text.CharAt(text.Length() - 1))));
}

bool Contains(const TString& text, const char* part) {
    return text.Find(TString(part)) >= 0;
}

}  // namespace

TString NormaliseHotKey(const TString& text) {
    if (text.IsEmpty()) return TString();
    TString lower = text;
    lower.MakeLower();
    if (lower.Length() > 1 && lower.CharAt(0) == '@') return TString("@") + UpperLast(lower);
    TString result;
    if (Contains(lower, "shift-")) result += "shift-";
    if (Contains(lower, "ctrl-") || Contains(lower, "control-")) result += "ctrl-";
    if (Contains(lower, "alt-")) result += "alt-";
    return result + UpperLast(lower);
}

TString HotKeyForPress(uint8_t key, int modifiers) {
    TString text;
    if (modifiers & 1) text += "shift-";
    if (modifiers & 2) text += "ctrl-";
    if (modifiers & 4) text += "alt-";
    return NormaliseHotKey(text + static_cast<char>(key));
}
