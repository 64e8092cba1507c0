#include "game/shop/entry/window_manager_screens.h"

#include "engine/core/base/initial_values.h"
#include "engine/ui/message.h"
#include "engine/ui/window_manager.h"
#include "game/screens/transition/transition.h"

bool WindowManagerScreens::TopModalHasParent() {
    TWindowManager* manager = TWindowManager::Get();
    TWindow* top = manager ? manager->GetTopModal() : nullptr;
    return top && top->GetParent();
}

void WindowManagerScreens::PopTopModal() {
    TWindowManager* manager = TWindowManager::Get();
    if (TWindow* top = manager ? manager->GetTopModal() : nullptr) manager->DoPopModal(FormatWindowId(top));
}

void WindowManagerScreens::StartTransition(const TString& code, const TString& functionName) {
    TWindowManager* manager = TWindowManager::Get();
    TWindow* top = manager ? manager->GetTopModal() : nullptr;
    TWindow* found = top ? top->FindChild(kTransitionWindowName) : nullptr;
    if (found && found->IsKindOf(clsTransition::ClassId())) static_cast<clsTransition*>(found)->Start(code, functionName);
}
