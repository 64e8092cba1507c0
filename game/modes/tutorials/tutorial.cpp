#include "game/modes/tutorials/tutorial.h"

#include <algorithm>

#include "engine/graphics/renderer.h"
#include "engine/scripthost/script.h"
#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "engine/ui/window_manager.h"
#include "game/screens/scripting/script_functions.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr char kArrowTexture[] = "anim/tutorial_arrow";
constexpr char kMarkTexture[] = "anim/tutorial_mark";
// Where MoveButtonsAway sends the buttons: below the screen.
constexpr TPoint kAwayPoint{0, 2000};

}  // namespace

clsTutorial::clsTutorial(iGameScene* scene, const char* textPrefix) : scene_(scene), textPrefix_(textPrefix) {}

clsTutorial::~clsTutorial() = default;

void clsTutorial::PreloadPointers(iGameAssets& assets) {
    assets.AddPreloadAnim(kArrowTexture);
    assets.AddPreloadAnim(kMarkTexture);
}

void clsTutorial::finalizeTutorial() {
    SetButtonsHidden(true);
    RemovePointers();
    step_ = kStandStill;
}

bool clsTutorial::WaitPause(float dt) {
    if (pauseSeconds_ <= 0.0f) return false;
    pauseSeconds_ -= dt;
    return true;
}

bool clsTutorial::FadeOverlay(float dt) {
    if (!overlay_ || overlay_->GetAlpha() <= 0.0f) return true;
    overlay_->SetAlpha(std::max(overlay_->GetAlpha() - dt, 0.0f));
    return false;
}

void clsTutorial::FindOverlayAndButtons(TWindow& screen) {
    TWindowManager* manager = TWindowManager::Get();
    TWindow* root = manager ? manager->GetScreen() : nullptr;
    TWindow* overlay = root ? root->FindChild("OverlayWindow") : nullptr;
    overlay_ = overlay && overlay->IsKindOf(TImage::ClassId()) ? static_cast<TImage*>(overlay) : nullptr;
    clsTutorHelperSpider spider(this);
    screen.WalkChildren(spider);
}

void clsTutorial::ShowStepMessage(int n) {
    TScript* script = WindowManagerScript();
    if (!script) return;
    script->DoLuaString(TString::Format("showWizardMessage('%s%d', '%d', '%d, %d')", textPrefix_.CStr(), n, continue_ ? 1 : 0,
                              panel_.x, panel_.y));
}

std::unique_ptr<clsAnimatedSprite> clsTutorial::MakePointer(const char* texture, const char* action, float x, float y) {
    auto pointer = std::make_unique<clsAnimatedSprite>(scene_);
    pointer->SetTexture(clsGameSession::Instance()->GetTexture(texture));
    pointer->SetPosition(x, y);
    pointer->Play(action);
    pointer->Update(0.0f);
    return pointer;
}

clsAnimatedSprite& clsTutorial::ShowArrow(float x, float y) {
    arrow_ = MakePointer(kArrowTexture, "appear", x, y);
    return *arrow_;
}

clsAnimatedSprite& clsTutorial::ShowMark(float x, float y) {
    mark_ = MakePointer(kMarkTexture, "DoAnim", x, y);
    return *mark_;
}

void clsTutorial::RemoveArrow() { arrow_.reset(); }

void clsTutorial::RemovePointers() {
    arrow_.reset();
    mark_.reset();
}

void clsTutorial::SetButtonsHidden(bool hide) {
    for (size_t i = buttons_.size(); i-- > 0;) SetWindowVisible(buttons_[i], !hide);
}

void clsTutorial::MoveButtonsAway() {
    for (size_t i = buttons_.size(); i-- > 0;) buttons_[i]->MoveTo(kAwayPoint.x, kAwayPoint.y);
}

void clsTutorial::UpdatePointers(float dt) {
    if (arrow_) arrow_->Update(dt);
    if (mark_) mark_->Update(dt);
}

void clsTutorial::DrawPointers() {
    TRenderer* renderer = TRenderer::Get();
    if (!renderer) return;
    bool entered = !renderer->IsIn2d() && renderer->Begin2d();
    if (arrow_) arrow_->Draw();
    if (mark_) {
        renderer->SetBlendMode(BlendAdditive);
        mark_->Draw();
        renderer->SetBlendMode(BlendAlpha);
    }
    if (entered) renderer->End2d();
}

bool clsTutorHelperSpider::Visit(TWindow* window) {
    if (window && window->IsKindOf(TButton::ClassId())) tutorial_->AddButton(window);
    return true;
}
