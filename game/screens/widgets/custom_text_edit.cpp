#include "game/screens/widgets/custom_text_edit.h"

#include "engine/ui/modal_window.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_style.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr uint8_t kBackspace = 8;

}  // namespace

TWindow* TCustomTextEdit::Create() { return new TCustomTextEdit(); }

TClassId TCustomTextEdit::ClassId() { return reinterpret_cast<TClassId>(&TCustomTextEdit::Create); }

void TCustomTextEdit::Init(TWindowStyle& style) {
    cleared_ = !style.GetBool("clearinitial", false);
    enableWindowName_ = style.GetString("enablewindow", TString());
    TTextEdit::Init(style);
}

bool TCustomTextEdit::OnMouseUp(TPoint point) {
    if (cleared_) return TTextEdit::OnMouseUp(point);
    ClearInitialText();
    return true;
}

bool TCustomTextEdit::CanInsert(int action, uint8_t character) {
    ClearInitialText();
    if (!TTextEdit::CanInsert(action, character)) return false;
    if (action == kEditInsert) UpdateEnableWindow(+1);
    if (action == kEditMove && character == kBackspace) UpdateEnableWindow(-1);
    return true;
}

bool TCustomTextEdit::CheckCharacter(int action, uint32_t codePoint) {
    // The length limit of the base applies to the text without the initial one.
    ClearInitialText();
    return TTextEdit::CheckCharacter(action, codePoint);
}

void TCustomTextEdit::ClearInitialText() {
    if (cleared_) return;
    cleared_ = true;
    SetText(TString());
}

void TCustomTextEdit::UpdateEnableWindow(int change) {
    if (enableWindowName_.IsEmpty()) return;
    TModalWindow* modal = GetModalParent();
    TWindow* window = modal ? modal->FindChild(enableWindowName_) : nullptr;
    if (!window) return;
    int length = static_cast<int>(GetText().Length());
    SetWindowVisible(window, length + change >= 1);
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
}
