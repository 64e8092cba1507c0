#include "engine/ui/window.h"

#include <algorithm>

#include "engine/ui/modal_window.h"
#include "engine/ui/window_anim.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_spider.h"

namespace {

uint32_t NextWindowId() {
    static uint32_t counter = 0;
    return counter++;
}

void InvalidateManager() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
}

}  // namespace

TWindow::TWindow() : id_(NextWindowId()) {}

TWindow::~TWindow() {
    if (anim_) {
        if (animWaiting_) {
            delete anim_;  // no task list took it
        } else {
            anim_->window_ = nullptr;
        }
        anim_ = nullptr;
    }
    InvalidateManager();
    ReportCovering(false);
    if (parent_) {
        // Deleted while still attached: leave no dangling entry behind.
        auto found = std::find(parent_->children_.begin(), parent_->children_.end(), this);
        if (found != parent_->children_.end()) parent_->children_.erase(found);
    }
    std::vector<TWindow*> children;
    children.swap(children_);
    for (TWindow* child : children) {
        child->parent_ = nullptr;
        delete child;
    }
    if (TWindowManager* manager = TWindowManager::Get()) manager->WindowRemoved(this);
}

TWindow* TWindow::Create() {
    return new TWindow();
}

TClassId TWindow::ClassId() {
    return reinterpret_cast<TClassId>(&TWindow::Create);
}

TWindow* CallWindowCreator(TWindowFactory factory) {
    return factory ? factory() : nullptr;
}

bool TWindow::OnMouseExit(TPoint point) {
    TWindowManager* manager = TWindowManager::Get();
    IMouseExitHook* hook = manager ? manager->GetMouseExitHook() : nullptr;
    return hook && hook->OnMouseExit(this, point);
}

TWindow* TWindow::SetParent(TWindow* parent) {
    TWindow* previous = parent_;
    parent_ = parent;
    return previous;
}

TRect TWindow::GetGlobalRect() const {
    TRect global = rect_;
    if (parent_) {
        TRect parentRect = parent_->GetGlobalRect();
        global.left += parentRect.left;
        global.top += parentRect.top;
        global.right = global.left + GetWidth();
        global.bottom = global.top + GetHeight();
    }
    return global;
}

TPoint TWindow::ClientToScreen(TPoint point) const {
    TRect global = GetGlobalRect();
    return {point.x + global.left, point.y + global.top};
}

TPoint TWindow::ScreenToClient(TPoint point) const {
    TRect global = GetGlobalRect();
    return {point.x - global.left, point.y - global.top};
}

void TWindow::MoveTo(int32_t x, int32_t y) {
    rect_ = TRect(x, y, x + GetWidth(), y + GetHeight());
    InvalidateManager();
}

void TWindow::SetSize(int32_t width, int32_t height) {
    rect_.right = rect_.left + width;
    rect_.bottom = rect_.top + height;
    InvalidateManager();
    // Covering is measured against the screen here, against the modal parent in SetFlags.
    TWindowManager* manager = TWindowManager::Get();
    TWindow* screen = manager ? manager->GetScreen() : nullptr;
    ReportCovering((flags_ & kWindowCovers) && screen && width == screen->GetWidth() &&
                   height == screen->GetHeight());
}

void TWindow::SetFlags(uint32_t flags) {
    uint32_t old = flags_;
    flags_ = (flags & kWindowSettableFlags) | (old & ~kWindowSettableFlags);
    if ((old ^ flags_) & kWindowVisible) InvalidateManager();
    TModalWindow* modal = GetModalParent();
    if (!modal) return;
    modal->SetCovered(this, (flags_ & kWindowCovers) && GetWidth() == modal->GetWidth() &&
                                GetHeight() == modal->GetHeight());
}

void TWindow::ReportCovering(bool covers) {
    if (TModalWindow* modal = GetModalParent()) modal->SetCovered(this, covers);
}

TModalWindow* TWindow::GetModalParent() const {
    for (TWindow* up = parent_; up; up = up->parent_) {
        if (up->flags_ & kWindowModal)
            return up->IsKindOf(TModalWindow::ClassId()) ? static_cast<TModalWindow*>(up) : nullptr;
    }
    return nullptr;
}

bool TWindow::AddChild(TWindow* child, bool attach) {
    if (std::find(children_.begin(), children_.end(), child) == children_.end()) {
        children_.insert(children_.begin(), child);
        child->parent_ = this;
    }
    if (!attach) {
        child->AdoptAnimations(child->GetModalParent());
        return true;
    }
    if (child->OnAttach()) {
        child->AdoptAnimations(child->GetModalParent());
        return true;
    }
    child->parent_ = nullptr;
    children_.erase(children_.begin());
    child->SetSize(child->GetWidth(), child->GetHeight());
    return false;
}

void TWindow::RemoveChild(TWindow* child) {
    auto found = std::find(children_.begin(), children_.end(), child);
    if (found != children_.end()) {
        InvalidateManager();
        children_.erase(found);
    }
    child->ReportCovering(false);
    child->parent_ = nullptr;
}

TWindow* TWindow::FindChild(const TString& name, int depth) {
    if (name_ == name) return this;
    if (depth == 0) return nullptr;
    for (TWindow* child : children_) {
        if (TWindow* found = child->FindChild(name, depth - 1)) return found;
    }
    return nullptr;
}

void TWindow::WalkChildren(TWindowSpider& spider, bool reverse) {
    // A visitor may take children out: walk a copy.
    std::vector<TWindow*> children = children_;
    if (reverse) std::reverse(children.begin(), children.end());
    for (TWindow* child : children) {
        if (!spider.Visit(child)) return;
    }
}

void TWindow::FitToChildren() {
    GetLargest largest(*this);
    WalkChildren(largest);
    SetSize(largest.width, largest.height);
}

void TWindow::DeleteChildren() {
    ChildrenDelete remover(this);
    WalkChildren(remover);
}

TWindowAnim* TWindow::GetWindowAnim() {
    if (anim_) return anim_;
    // Due at once with no period: OnAnimate runs on every pass of the modal's task list until
    // the window asks for a period with StartAnim.
    anim_ = new TWindowAnim(this);
    animWaiting_ = true;
    TModalWindow* modal = IsKindOf(TModalWindow::ClassId()) ? static_cast<TModalWindow*>(this) : GetModalParent();
    AdoptAnimations(modal);
    return anim_;
}

void TWindow::StartAnim(uint32_t delay, bool repeat, bool fromNow) {
    GetWindowAnim()->Schedule(delay, repeat, fromNow, false);
}

TWindowAnim* TWindow::DetachAnim() {
    TWindowAnim* anim = anim_;
    if (anim) anim->window_ = nullptr;
    anim_ = nullptr;
    animWaiting_ = false;
    return anim;
}

void TWindow::AdoptAnimations(TModalWindow* modal) {
    if (!modal) return;
    if (anim_ && animWaiting_) {
        anim_->SetTimeSource(&modal->GetClock());
        modal->AddTask(anim_);
        animWaiting_ = false;
    }
    for (TWindow* child : children_) {
        if (!(child->flags_ & kWindowModal)) child->AdoptAnimations(modal);
    }
}
