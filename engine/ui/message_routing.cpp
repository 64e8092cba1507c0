// Messages travel up the tree from a window to its first modal window, then to that window's focus
// child, then to the scripts; the window manager queues posted ones and delivers them in order.
#include "engine/ui/message.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script_link.h"

namespace {

void QueueForScripts(TMessage* message) {
    if (TWindowManager* manager = TWindowManager::Get()) {
        manager->QueueForScript(message, false);
    } else {
        delete message;
    }
}

}  // namespace

void TWindow::SendMessage(TMessage* message) {
    for (TWindow* window = this; window; window = window->parent_) {
        if (window->OnMessage(message)) {
            delete message;
            return;
        }
        if (!(window->flags_ & kWindowModal)) continue;
        // A modal window is the barrier: its focus child is the last window to hear it.
        TWindow* focusChild = window->IsKindOf(TModalWindow::ClassId())
                                  ? static_cast<TModalWindow*>(window)->GetFocusWindow()
                                  : nullptr;
        if (focusChild && focusChild->OnMessage(message)) {
            delete message;
        } else {
            QueueForScripts(message);
        }
        return;
    }
    delete message;
}

void TWindowManager::PostMessage(TMessage* message) {
    pending_.push_back(message);
}

void TWindowManager::ProcessMessages() {
    while (!pending_.empty()) {
        TMessage* message = pending_.front();
        pending_.pop_front();
        DeliverMessage(message);
    }
}

void TWindowManager::DeliverMessage(TMessage* message) {
    if (message->GetType() == kQuitNow) {
        delete message;
        host_->PostQuit(0);
        return;
    }
    TWindow* target = message->GetTarget();
    if (!target) {
        for (const auto& listener : listeners_) {
            if (listener->OnMessage(message)) {
                delete message;
                return;
            }
        }
        target = focus_ ? focus_ : GetTopModal();
        if (!target) {
            delete message;
            return;
        }
    }
    target->SendMessage(message);
}

void TWindowManager::QueueForScript(TMessage* message, bool command) {
    if (!script_ || !script_->QueueMessage(message, command)) delete message;
}

void TWindowManager::RetargetMessagesInto(TWindow* window) {
    for (TMessage* message : pending_) {
        for (TWindow* up = message->GetTarget(); up; up = up->GetParent()) {
            if (up == window) {
                message->SetTarget(nullptr);
                break;
            }
        }
    }
}
