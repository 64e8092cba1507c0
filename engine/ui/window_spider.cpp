#include "engine/ui/window_spider.h"

#include <algorithm>

#include "engine/ui/window.h"
#include "engine/ui/window_manager.h"

bool ChildrenDelete::Visit(TWindow* window) {
    owner_->RemoveChild(window);
    if (TWindowManager* manager = TWindowManager::Get()) {
        manager->DeleteLater(window);
    } else {
        delete window;
    }
    return true;
}

GetLargest::GetLargest(const TWindow& owner) : width(owner.GetWidth()), height(owner.GetHeight()) {}

bool GetLargest::Visit(TWindow* window) {
    width = std::max(width, window->GetRect().right);
    height = std::max(height, window->GetRect().bottom);
    return true;
}

bool TWindowClearFlags::Visit(TWindow* window) {
    window->SetFlags(window->GetFlags() & mask_);
    if (recursive_) window->WalkChildren(*this);
    return true;
}

bool TModalPoppedSpider::Visit(TWindow* window) {
    window->WalkChildren(*this);
    window->OnModalPopped();
    return true;
}
