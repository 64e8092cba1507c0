// Typing, editing keys and pasting in a text edit.
#include "engine/core/app/app_event.h"
#include "engine/core/files/file.h"
#include "engine/ui/text_edit.h"
#include "engine/ui/utf8_text.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"

namespace {

constexpr uint8_t kBackspace = 8;
constexpr uint8_t kTab = 9;
constexpr uint8_t kEnter = 13;
constexpr int8_t kKeyLeft = -126;
constexpr int8_t kKeyRight = -125;
constexpr int8_t kKeyDelete = -1;
constexpr int8_t kKeyInsert = -124;
constexpr int kKeyV = 86;
// Keys the edit leaves to the dialog's hot keys (system and function keys).
constexpr int kFirstUnusedKey = 91;
constexpr int kLastUnusedKey = 127;

// The code point typed: the UTF-8 character, or a lone byte as itself.
uint32_t TypedCodePoint(const TString& text) {
    uint32_t codePoint = TString::DecodeUtf8(text.CStr());
    return codePoint != 0 ? codePoint : static_cast<uint8_t>(text.CharAt(0));
}

TString WithoutControlBytes(const TString& text) {
    TString kept;
    for (unsigned i = 0; i < text.Length(); ++i) {
        if (static_cast<uint8_t>(text.CharAt(i)) >= 0x20) kept += text.CharAt(i);
    }
    return kept;
}

}  // namespace

bool TTextEdit::OnChar(uint8_t character) {
    char byte = static_cast<char>(character);
    return OnTextInput(TString(&byte, 1));
}

bool TTextEdit::OnTextInput(TString text) {
    if (!enabled_ || text.IsEmpty()) return false;
    uint8_t first = static_cast<uint8_t>(text.CharAt(0));
    switch (first) {
        case kBackspace: return Backspace();
        case kTab: return TypeTab();
        case kEnter: return TypeEnter();
        default: break;
    }
    if (first < 0x20) return false;
    if (first >= 0x80 && !password_ && !utf8_) return false;
    // In UTF-8 mode only whole, well-formed characters go in.
    if (utf8_ && !IsValidUtf8(text)) return false;
    return Insert(text);
}

bool TTextEdit::Insert(const TString& text) {
    if (!ignore_.IsEmpty() && ignore_.Find(text) >= 0) {
        PostChanged();
        return true;
    }
    if (!CheckCharacter(kEditInsert, TypedCodePoint(text))) return false;
    TString before = text_.Mid(0, static_cast<int>(caret_));
    text_ = before + text + text_.Mid(static_cast<int>(caret_));
    caret_ += Utf8CharLength(text, 0);
    RebuildDisplay();
    PostChanged();
    return true;
}

bool TTextEdit::Backspace() {
    if (caret_ == 0) {
        bool taken = CheckCharacter(kEditRefused, kBackspace);
        if (taken) PostChanged();
        return taken;
    }
    if (!CanInsert(kEditMove, kBackspace)) return false;
    unsigned start = Utf8CharStartBefore(text_, caret_);
    text_.Erase(static_cast<int>(start), static_cast<int>(caret_ - start));
    caret_ = start;
    RebuildDisplay();
    PostChanged();
    return true;
}

bool TTextEdit::TypeTab() {
    if (CheckCharacter(kEditTab, kTab)) {
        PostChanged();
        return true;
    }
    FocusNextInGroup();
    return false;
}

bool TTextEdit::TypeEnter() {
    bool taken = CheckCharacter(kEditEnter, kEnter);
    if (taken) PostChanged();
    return taken;
}

bool TTextEdit::OnKeyDown(uint8_t key, int modifiers) {
    JoinTabGroup();
    int8_t code = static_cast<int8_t>(key);
    if (code == kKeyLeft) return MoveLeft(key);
    if (code == kKeyRight) return MoveRight(key);
    if (code == kKeyDelete) return DeleteAtCaret(key);
    if (code >= kFirstUnusedKey && code <= kLastUnusedKey) return false;
    bool pasteKey = (code == kKeyV && (modifiers & kKeyControl)) || code == kKeyInsert;
    if (pasteKey && Paste()) return true;
    // Other keys stop here unless they may be hot keys of the dialog.
    return !(modifiers & (kKeyControl | kKeyAlt | kKeyExtended));
}

bool TTextEdit::MoveLeft(uint8_t key) {
    if (caret_ == 0) {
        CanInsert(kEditRefused, key);
        return true;
    }
    if (CanInsert(kEditMove, key)) {
        caret_ = Utf8CharStartBefore(text_, caret_);
        RebuildDisplay();
    }
    return true;
}

bool TTextEdit::MoveRight(uint8_t key) {
    if (caret_ >= text_.Length()) {
        CanInsert(kEditRefused, key);
        return true;
    }
    if (CanInsert(kEditMove, key)) {
        caret_ += Utf8CharLength(text_, caret_);
        RebuildDisplay();
    }
    return true;
}

bool TTextEdit::DeleteAtCaret(uint8_t key) {
    if (caret_ >= text_.Length()) {
        CanInsert(kEditRefused, key);
        return true;
    }
    text_.Erase(static_cast<int>(caret_), static_cast<int>(Utf8CharLength(text_, caret_)));
    RebuildDisplay();
    return true;
}

// Replaces the text with the clipboard's, cut to the limit and cleaned; false leaves the key to the
// default answer.
bool TTextEdit::Paste() {
    TWindowManager* manager = TWindowManager::Get();
    if (!manager || !CheckCharacter(kEditPaste, 0)) return false;
    TString pasted = manager->Host().GetClipboardText();
    if (pasted.IsEmpty() || (!utf8_ && !IsSingleByteText(pasted))) return false;
    if (utf8_) pasted = ValidUtf8Only(pasted);
    pasted = WithoutControlBytes(WithoutIgnored(Utf8FirstChars(pasted, maxLength_)));
    SetText(TString());
    if (!pasted.IsEmpty()) {
        CheckCharacter(kEditInsert, ' ');  // only a refusal notice matters here
        SetText(pasted);
    }
    return true;
}

TString TTextEdit::WithoutIgnored(TString text) const {
    for (unsigned at = 0; at < ignore_.Length(); at += Utf8CharLength(ignore_, at))
        text.Replace(ignore_.Mid(static_cast<int>(at), static_cast<int>(Utf8CharLength(ignore_, at))), TString(),
                     TString::kReplaceAll);
    return text;
}
