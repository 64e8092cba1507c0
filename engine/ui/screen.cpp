#include "engine/ui/screen.h"

#include "engine/graphics/renderer.h"
#include "engine/ui/window_manager.h"

TScreen::TScreen() {
    SetName("_screen_");
    SetClassFlags(kWindowInTargetPass, true);
    SetFlags(GetFlags() | kWindowCovers);
}

TClassId TScreen::ClassId() {
    static char tag;
    return &tag;
}

void TScreen::SetBackground(float red, float green, float blue, float alpha) {
    background_[0] = red;
    background_[1] = green;
    background_[2] = blue;
    background_[3] = alpha;
}

void TScreen::Draw() {
    TWindowManager* manager = TWindowManager::Get();
    bool isTop = manager && manager->GetTopModal() == this;
    if (neverClear_ || !(alwaysClear_ || isTop)) return;
    TRenderer* renderer = TRenderer::Get();
    TRect viewport = renderer->GetViewport();
    renderer->FillRect(TRect(0, 0, viewport.Width(), viewport.Height()), background_);
}
