#include "engine/ui/modal_window.h"

#include "engine/core/base/log.h"
#include "engine/ui/dialog_button.h"
#include "engine/ui/hot_key.h"
#include "engine/ui/message.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_spider.h"

namespace {

constexpr int8_t kEnterKey = 13;
constexpr int8_t kEscapeKey = 27;

// The default and cancel buttons of a dialog that are visible up to it; later finds replace
// earlier ones, and a level's walk ends once both are known.
class FindDefault : public TWindowSpider {
public:
    bool Visit(TWindow* window) override {
        if (auto* button = dynamic_cast<IDialogButton*>(window); button && window->IsVisibleToModal()) {
            if (button->IsDefaultButton()) defaultButton = button;
            if (button->IsCancelButton()) cancelButton = button;
            if (defaultButton && cancelButton) return false;
        }
        window->WalkChildren(*this);
        return true;
    }

    IDialogButton* defaultButton = nullptr;
    IDialogButton* cancelButton = nullptr;
};

}  // namespace

TModalWindow::TModalWindow() {
    SetClassFlags(kWindowModal | kWindowFocusable, true);
}

TModalWindow::~TModalWindow() {
    if (TWindowManager* manager = TWindowManager::Get())
        manager->PostMessage(new TMessage(kModalClosed, FormatWindowId(this)));
    tasks_.Clear();
}

TClassId TModalWindow::ClassId() {
    static char tag;
    return &tag;
}

bool TModalWindow::OnAttach() {
    clock_.Start();
    return true;
}

void TModalWindow::PostCreate(TWindowStyle& style) {
    FitToChildren();
    TWindow::PostCreate(style);
}

bool TModalWindow::OnMessage(TMessage* message) {
    if (message->GetType() != kCloseWindow) return false;
    TWindowManager* manager = TWindowManager::Get();
    if (!message->GetName().IsEmpty() && manager) manager->DoPopModal(message->GetName());
    return true;
}

void TModalWindow::OnFocus(TWindow* previous) {
    TWindowManager* manager = TWindowManager::Get();
    if (focusChild_ && manager) manager->SetFocus(focusChild_);
}

void TModalWindow::SetFocusWindow(TWindow* child) {
    focusChild_ = child;
    TWindowManager* manager = TWindowManager::Get();
    if (!manager || manager->GetFocus() != this) return;
    manager->SetFocus(child);
}

void TModalWindow::SetCovered(TWindow* child, bool covers) {
    if (covers) {
        covering_.insert(child);
    } else {
        covering_.erase(child);
    }
    uint32_t flags = GetFlags();
    SetFlags(covering_.empty() ? (flags & ~kWindowCovers) : (flags | kWindowCovers));
}

bool TModalWindow::IsCoveredBy(const TWindow* child) const {
    return covering_.count(const_cast<TWindow*>(child)) != 0;
}

void TModalWindow::RegisterHotKey(const TString& keyText, const TString& buttonName) {
    TString key = NormaliseHotKey(keyText);
    if (buttonName.IsEmpty()) {
        hotKeys_.erase(key);
    } else {
        hotKeys_[key] = buttonName;
    }
}

bool TModalWindow::OnKeyDown(uint8_t key, int modifiers) {
    auto bound = hotKeys_.find(HotKeyForPress(key, modifiers));
    if (bound == hotKeys_.end()) bound = hotKeys_.find(TString("@") + static_cast<char>(key));
    if (bound == hotKeys_.end()) return false;
    ActivateHotKeyButton(TString(bound->second));
    return true;
}

void TModalWindow::ActivateHotKeyButton(const TString& buttonName) {
    TWindow* window = FindChild(buttonName, -1);
    if (auto* button = dynamic_cast<IDialogButton*>(window)) {
        button->Activate();
        return;
    }
    LogPrintf("ERROR: Hot key button not found. Button:'%s'", buttonName.CStr());
}

bool TModalWindow::OnChar(uint8_t character) {
    int8_t key = static_cast<int8_t>(character);
    if (key != kEnterKey && key != kEscapeKey) return false;
    FindDefault find;
    WalkChildren(find);
    IDialogButton* button = key == kEnterKey ? find.defaultButton : find.cancelButton;
    if (button && button->PostPress()) return true;
    TWindowManager* manager = TWindowManager::Get();
    TWindow* focus = manager && manager->GetFocus() ? manager->GetFocus() : this;
    focus->SendMessage(new TMessage(kDefaultAction, TString()));
    return true;
}
