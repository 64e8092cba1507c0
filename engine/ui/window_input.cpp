#include <algorithm>

#include "engine/core/base/config.h"
#include "engine/ui/message.h"
#include "engine/ui/window.h"
#include "engine/ui/window_manager.h"

namespace {

bool IsMouseEvent(int32_t type) {
    return (type >= kEventLeftDown && type <= kEventMouseMove) || type == kEventMouseLeave;
}

bool IsHitBy(const TWindow* window, TPoint point) {
    return window->IsVisibleToModal() && window->GetRect().Contains(point.x, point.y);
}

}  // namespace

bool TWindow::IsVisibleToModal() const {
    for (const TWindow* up = this; up; up = up->parent_) {
        if (!(up->flags_ & kWindowVisible)) return false;
        if (up->flags_ & kWindowModal) return true;
    }
    return true;
}

TWindow* TWindow::ChildAt(TPoint point) {
    for (TWindow* child : children_) {
        if (IsHitBy(child, point)) return child;
    }
    return this;
}

TWindow* TWindow::DeepestChildAt(TPoint point, int depth) {
    if (depth == 0) return nullptr;
    TWindow* child = ChildAt(point);
    if (child == this) return this;
    return child->DeepestChildAt(child->ParentToClient(point), depth - 1);
}

bool TWindow::HandleEvent(const TAppEvent& event, bool focusGiven) {
    bool handled = HandleOwnEvent(event);
    if (event.type == kEventLeftDown && !focusGiven) {
        TakeFocus();
        focusGiven = true;
    }
    if (handled) return true;
    if (!(flags_ & kWindowModal)) return PassOnUnhandled(event, focusGiven);
    if (!IsEnabled("overlaymouse")) PostPressAnyKey(event);
    return false;
}

bool TWindow::HandleOwnEvent(const TAppEvent& event) {
    TPoint point{event.x, event.y};
    uint8_t key = static_cast<uint8_t>(event.param);
    switch (event.type) {
        case kEventLeftDown: return OnMouseDown(point);
        case kEventOtherButton: return OnMouseButton(point, event.param);
        case kEventLeftUp: return OnMouseUp(point);
        case kEventMouseMove: return OnMouseMove(point);
        case kEventMouseLeave: return OnMouseExit(point);
        case kEventKeyDown: return OnKeyDown(key, event.extra);
        case kEventKeyUp: return OnKeyUp(key);
        case kEventChar: return OnChar(key);
        case kEventUnicodeChar: {
            TString text = TString::FromCodePoint(static_cast<uint32_t>(event.param));
            if (OnTextInput(text)) return true;
            return text.Length() <= 1 && OnChar(key);
        }
        default: return false;
    }
}

// The first focusable window from this one upwards takes the keyboard focus.
void TWindow::TakeFocus() {
    TWindowManager* manager = TWindowManager::Get();
    if (!manager) return;
    for (TWindow* up = this; up; up = up->parent_) {
        if (up->flags_ & kWindowFocusable) {
            manager->SetFocus(up);
            return;
        }
    }
}

// A mouse event falls through to the sibling beneath the point, a key event to the parent.
bool TWindow::PassOnUnhandled(const TAppEvent& event, bool focusGiven) {
    if (!parent_) return false;
    TAppEvent copy = event;
    bool mouse = IsMouseEvent(event.type);
    if (mouse) {
        TPoint inParent = ClientToParent({event.x, event.y});
        copy.x = inParent.x;
        copy.y = inParent.y;
        const std::vector<TWindow*>& siblings = parent_->children_;
        auto self = std::find(siblings.begin(), siblings.end(), this);
        if (self != siblings.end()) {
            for (auto behind = self + 1; behind != siblings.end(); ++behind) {
                TWindow* sibling = *behind;
                if (!IsHitBy(sibling, {copy.x, copy.y})) continue;
                TPoint inSibling = sibling->ScreenToClient(parent_->ClientToScreen({copy.x, copy.y}));
                TWindow* target = sibling->DeepestChildAt(inSibling);
                TPoint inTarget = target->ScreenToClient(parent_->ClientToScreen({copy.x, copy.y}));
                copy.x = inTarget.x;
                copy.y = inTarget.y;
                return target->HandleEvent(copy, focusGiven);
            }
        }
    }
    return parent_->HandleEvent(copy, focusGiven);
}

void TWindow::PostPressAnyKey(const TAppEvent& event) {
    TString name;
    if (event.type == kEventLeftUp) {
        name = "mouse:up";
    } else if (event.type == kEventKeyDown) {
        name = TString("raw:") + static_cast<char>(static_cast<uint8_t>(event.param));
    }
    TWindowManager* manager = TWindowManager::Get();
    if (!name.IsEmpty() && manager) manager->PostMessage(new TMessage(kPressAnyKey, name));
}
