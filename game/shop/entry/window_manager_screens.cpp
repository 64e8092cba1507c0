#include "game/shop/entry/window_manager_screens.h"

#include "engine/core/base/log.h"
#include "engine/ui/message.h"
#include "engine/ui/window_manager.h"

bool WindowManagerScreens::TopModalHasParent() {
    TWindowManager* manager = TWindowManager::Get();
    TWindow* top = manager ? manager->GetTopModal() : nullptr;
    return top && top->GetParent();
}

void WindowManagerScreens::PopTopModal() {
    TWindowManager* manager = TWindowManager::Get();
    if (TWindow* top = manager ? manager->GetTopModal() : nullptr) manager->DoPopModal(FormatWindowId(top));
}

void WindowManagerScreens::StartTransition(const TString& fromScreen, const TString& toScreen) {
    TWindowManager* manager = TWindowManager::Get();
    TWindow* top = manager ? manager->GetTopModal() : nullptr;
    if (!top || !top->FindChild("swtTransitionWindow", 1)) return;
    LogPrintf("[WARN] StartFadeOut('%s', '%s'): the transition window is not built yet", fromScreen.CStr(),
              toScreen.CStr());
}
