// Routing of framework events: captured windows first, then overlays, then the deepest window under
// the pointer inside the top modal window; keys to the focus window.
#include <algorithm>

#include "engine/core/base/config.h"
#include "engine/ui/message.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"

namespace {

bool IsMouseEvent(int32_t type) {
    return (type >= kEventLeftDown && type <= kEventMouseMove) || type == kEventMouseLeave;
}

bool IsKeyEvent(int32_t type) {
    return type >= kEventKeyDown && type <= kEventUnicodeChar;
}

TAppEvent AtPoint(const TAppEvent& event, TPoint point) {
    TAppEvent copy = event;
    copy.x = point.x;
    copy.y = point.y;
    return copy;
}

}  // namespace

void TWindowManager::DispatchEvent(const TAppEvent& event) {
    if (event.type == kEventNothing) return;
    if (event.type == kEventFocus) renderTarget_.reset();
    FlushDeletions();
    if (modalStack_.empty() || event.type == kEventActivation) return;

    if (event.type == kEventIdle || event.type == kEventRepaint) {
        if (event.type == kEventRepaint) {
            Invalidate();
        } else if (TModalWindow* top = dynamic_cast<TModalWindow*>(GetTopModal())) {
            top->RunTasks(0);
        }
        ProcessMessages();
        RenderFrame();
    } else if (event.type == kEventMouseLost) {
        WalkCaptures([](TWindow* window) { window->OnMouseLeave(); });
    } else if (IsKeyEvent(event.type)) {
        keyCode_ = event.param;
        (focus_ ? focus_ : GetTopModal())->HandleEvent(event, false);
    } else if (IsMouseEvent(event.type)) {
        if (!capture_.empty()) {
            DispatchCapturedMouse(event);
        } else if (event.type == kEventMouseMove && host_->GetMouseMode() == 1) {
            return;  // relative moves only reach captured windows
        } else {
            DispatchMouse(event);
        }
    } else {
        ProcessMessages();
        if (TWindow* top = GetTopModal()) top->HandleEvent(event, false);
        return;
    }
    ProcessMessages();
}

void TWindowManager::WalkCaptures(const std::function<void(TWindow*)>& visit) {
    TWindow* top = GetTopModal();
    captureChanged_ = false;
    for (size_t i = 0; i < capture_.size();) {
        TWindow* next = i + 1 < capture_.size() ? capture_[i + 1] : nullptr;
        visit(capture_[i]);
        if (GetTopModal() != top) return;
        if (!captureChanged_) {
            ++i;
            continue;
        }
        captureChanged_ = false;
        auto found = std::find(capture_.begin(), capture_.end(), next);
        if (!next || found == capture_.end()) return;
        i = static_cast<size_t>(found - capture_.begin());
    }
}

void TWindowManager::DispatchCapturedMouse(const TAppEvent& event) {
    TWindow* top = GetTopModal();
    bool relative = host_->GetMouseMode() == 1;
    TPoint point{event.x, event.y};
    WalkCaptures([&](TWindow* window) {
        if (!relative && !window->GetGlobalRect().Contains(point.x, point.y)) {
            window->OnMouseLeave();
            if (!HasCapture(window) || GetTopModal() != top) return;
        }
        bool keepDelta = relative && event.type == kEventMouseMove;
        window->HandleEvent(keepDelta ? event : AtPoint(event, window->ScreenToClient(point)), false);
    });
}

void TWindowManager::DispatchMouse(const TAppEvent& event) {
    bool overlayMouse = IsEnabled("overlaymouse");
    if (overlayMouse && OfferToOverlays(event)) return;
    TWindow* top = GetTopModal();
    TPoint point{event.x, event.y};
    TWindow* target = top->DeepestChildAt(top->ScreenToClient(point));
    SetHover(target);
    bool handled = target->HandleEvent(AtPoint(event, target->ScreenToClient(point)), false);
    if (!handled && overlayMouse && event.type == kEventLeftUp) PostMessage(new TMessage(kPressAnyKey, "mouse:up"));
}

bool TWindowManager::OfferToOverlays(const TAppEvent& event) {
    TPoint point{event.x, event.y};
    for (TWindow* overlay : std::vector<TWindow*>(overlays_)) {
        if (!overlay->GetGlobalRect().Contains(point.x, point.y)) continue;
        TWindow* target = overlay->DeepestChildAt(overlay->ScreenToClient(point));
        if (target->HandleEvent(AtPoint(event, target->ScreenToClient(point)), false)) {
            SetHover(target);
            return true;
        }
    }
    return false;
}
