#include "engine/ui/radio_group.h"

#include "engine/ui/button.h"

namespace {

bool IsGroupStart(const TWindow* window) {
    return window->GetFlags() & kWindowGroupStart;
}

}  // namespace

void TRadioButtonSpider::SwitchOffGroup(TWindow* root) {
    // Children are held newest first: walking back to front visits them in the order they came.
    phase_ = 0;
    done_ = false;
    root->WalkChildren(*this, true);
    if (!groupStart_) return;
    phase_ = 1;
    done_ = false;
    root->WalkChildren(*this, true);
}

bool TRadioButtonSpider::Visit(TWindow* window) {
    if (phase_ == 0) {
        FindGroupStart(window);
    } else if (window == groupStart_) {
        found_ = true;
        SwitchOff(window);
    } else if (found_ && IsGroupStart(window)) {
        done_ = true;
    } else if (found_) {
        SwitchOff(window);
    }
    if (!done_) window->WalkChildren(*this, true);
    return !done_;
}

void TRadioButtonSpider::FindGroupStart(TWindow* window) {
    // The button's own mark counts: the first button of a group starts it.
    if (IsGroupStart(window)) groupStart_ = window;
    if (window == button_) done_ = true;
}

void TRadioButtonSpider::SwitchOff(TWindow* window) {
    if (window == button_) return;
    if (TButton* button = WindowCastToTButton(window)) button->SetToggleState(false);
}
