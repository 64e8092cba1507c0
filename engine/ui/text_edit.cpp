#include "engine/ui/text_edit.h"

#include <algorithm>

#include "engine/graphics/font.h"
#include "engine/graphics/text_markup.h"
#include "engine/graphics/textblock.h"
#include "engine/ui/message.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/utf8_text.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_spider.h"
#include "engine/ui/window_style.h"

// Finds, depth first, another edit of the dialog whose tab group the joining edit takes.
class TextSpider : public TWindowSpider {
public:
    explicit TextSpider(TTextEdit* joining) : joining_(joining) {}

    bool Visit(TWindow* window) override {
        if (window != joining_ && window->IsKindOf(TTextEdit::ClassId())) {
            auto* edit = static_cast<TTextEdit*>(window);
            if (edit->tabGroup_) {
                group = edit->tabGroup_;
                return false;
            }
        }
        window->WalkChildren(*this);
        return !group;
    }

    std::shared_ptr<TTextEdit::TabGroup> group;

private:
    TTextEdit* joining_;
};

namespace {

const char* const kFallbackFont = "fonts/default.mvec";
const char* const kCaretMarkup = "<cursor>";

}  // namespace

TTextEdit::TTextEdit() {
    SetClassFlags(kWindowFocusable, true);
    caretClock_.Start();
}

TTextEdit::~TTextEdit() {
    if (tabGroup_) std::erase(*tabGroup_, this);
}

TWindow* TTextEdit::Create() {
    return new TTextEdit();
}

TClassId TTextEdit::ClassId() {
    return reinterpret_cast<TClassId>(&TTextEdit::Create);
}

bool TTextEdit::OnAttach() {
    JoinTabGroup();
    return true;
}

void TTextEdit::Init(TWindowStyle& style) {
    JoinTabGroup();
    bool password = style.GetBool("password", false);
    int maxLength = style.GetInt("length", kDefaultMaxLength);
    TString ignore = style.GetString("ignore", TString());
    utf8_ = style.GetBool("utf8", false);
    // An edit's label is its first text as written, never a string-table label.
    TWindowManager* manager = TWindowManager::Get();
    bool tableMode = manager && manager->SetStringTableMode(false);
    if (password) SetPassword(true);
    TText::Init(style);
    if (manager) manager->SetStringTableMode(tableMode);
    maxLength_ = maxLength;
    ignore_ = ignore;
}

void TTextEdit::Draw() {
    JoinTabGroup();
    TText::Draw();
}

bool TTextEdit::OnAnimate() {
    RebuildDisplay();
    return true;
}

void TTextEdit::JoinTabGroup() {
    if (tabGroup_) return;
    TModalWindow* modal = GetModalParent();
    if (!modal) return;
    StartAnim(kRedrawIntervalMs, true, true);
    TextSpider spider(this);
    modal->WalkChildren(spider);
    tabGroup_ = spider.group ? spider.group : std::make_shared<TabGroup>();
    tabGroup_->push_back(this);
}

void TTextEdit::FocusNextInGroup() {
    TWindowManager* manager = TWindowManager::Get();
    if (!tabGroup_ || !manager) return;
    auto self = std::find(tabGroup_->begin(), tabGroup_->end(), this);
    if (self == tabGroup_->end()) return;
    auto next = self + 1 == tabGroup_->end() ? tabGroup_->begin() : self + 1;
    manager->SetFocus(*next);
}

void TTextEdit::SetText(const TString& text) {
    // In UTF-8 mode the edit never holds a damaged sequence.
    text_ = utf8_ ? ValidUtf8Only(text) : text;
    caret_ = text_.Length();
    RebuildDisplay();
}

void TTextEdit::SetPassword(bool on) {
    password_ = on;
    RebuildDisplay();
}

void TTextEdit::RebuildDisplay() {
    TWindowManager* manager = TWindowManager::Get();
    TString shown = text_;
    if (password_) {
        shown = TString();
        for (unsigned i = 0; i < text_.Length(); ++i) shown += '*';
    }
    // The text shows as typed: what reads as mark-up is escaped, the caret's own mark-up is not.
    TString display = MarkupLiteral(shown);
    if (manager && manager->GetFocus() == this) {
        bool caretPhase = caretClock_.GetTime() % kBlinkPeriodMs > kCaretHiddenMs;
        if (caretPhase != caretShown_) {
            caretShown_ = caretPhase;
            manager->Invalidate();
        }
        if (caretPhase && enabled_) {
            unsigned caret = std::min(caret_, shown.Length());
            display = MarkupLiteral(shown.Mid(0, static_cast<int>(caret))) + kCaretMarkup +
                      MarkupLiteral(shown.Mid(static_cast<int>(caret)));
        }
    }
    TText::SetText(display);
}

void TTextEdit::PostChanged() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->PostMessage(new TMessage(kTextEditChanged, GetName()));
}

bool TTextEdit::CanInsert(int action, uint8_t character) {
    switch (action) {
        case kEditInsert:
            if (utf8_ || static_cast<int>(text_.Length()) + 1 < maxLength_) return true;
            CanInsert(kEditRefused, character);
            return false;
        case kEditMove:
        case kEditPaste:
            return true;
        default:
            return false;
    }
}

bool TTextEdit::CheckCharacter(int action, uint32_t codePoint) {
    uint8_t character = codePoint >= 0x80 ? ' ' : static_cast<uint8_t>(codePoint);
    if (action == kEditInsert) {
        bool full = utf8_ && static_cast<int>(Utf8CharCount(text_)) >= maxLength_;
        if (full || !HasGlyph(codePoint)) {
            CanInsert(kEditRefused, character);
            return false;
        }
    }
    return CanInsert(action, character);
}

bool TTextEdit::HasGlyph(uint32_t codePoint) const {
    // Without a text block there is no font to ask: the first test passes.
    TTextBlock* block = GetTextBlock();
    if (!block) return true;
    TVecFont* font = TFontCache::GetFont(block->GetFontName());
    if (!font || font->FindGlyph(codePoint) >= 0) return true;
    TVecFont* fallback = TFontCache::GetFont(kFallbackFont);
    return fallback && fallback->FindGlyph(codePoint) >= 0;
}
