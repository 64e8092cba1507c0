#include "game/screens/menus/level_select.h"

#include "engine/core/app/application.h"
#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/window_manager.h"
#include "game/screens/dialogs/fx_window.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr uint32_t kFramePeriodMs = 32;
constexpr float kCatX = 60.0f;
constexpr float kCatY = 411.0f;
const char kCatAction[] = "DoAnim";

uint32_t ApplicationRandom() {
    TApplication* application = TApplication::Instance();
    return application ? application->Random() : 0;
}

}  // namespace

TWindow* guiLevelSelect::Create() { return new guiLevelSelect(); }

TClassId guiLevelSelect::ClassId() { return reinterpret_cast<TClassId>(&guiLevelSelect::Create); }

guiLevelSelect::guiLevelSelect() : music_(kMusicFile), probe_(this), naps_(&ApplicationRandom) {
    if (clsGameSession* session = clsGameSession::Existing()) {
        session->AddMenuPreloadAnim(kCatSleeping);
        session->AddMenuPreloadAnim(kCatStanding);
        while (session->LoadMenuAssets()) {
        }
    }
}

guiLevelSelect::~guiLevelSelect() = default;

void guiLevelSelect::Init(TWindowStyle& style) {
    TWindow::Init(style);
    lastTimeMs_ = WindowAnimTimeMs(*this);
    cat_ = std::make_unique<clsAnimatedSprite>(nullptr);
    cat_->SetPosition(kCatX, kCatY);
    ShowCat(kCatStanding);
    StartAnim(kFramePeriodMs, true, true);
}

void guiLevelSelect::ShowCat(const char* animation) {
    if (clsGameSession* session = clsGameSession::Existing()) cat_->SetTexture(session->GetMenuTexture(animation));
    cat_->Play(kCatAction);
    cat_->Update(0.0f);
}

bool guiLevelSelect::OnAnimate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    uint32_t now = WindowAnimTimeMs(*this);
    float dt = static_cast<float>(now - lastTimeMs_) / 1000.0f;  // unsigned difference: a wrapped clock still counts
    lastTimeMs_ = now;
    cat_->Update(dt);
    const TAnimatedSprite& animation = cat_->GetAnimation();
    bool onLastFrame = animation.GetCurrentFrame() >= animation.GetFrameCount() - 1;
    if (naps_.Advance(dt, onLastFrame)) ShowCat(naps_.IsSleeping() ? kCatSleeping : kCatStanding);
    return true;
}

void guiLevelSelect::PostDraw() {
    if (!cat_) return;
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    cat_->Draw();
    if (entered) renderer->End2d();
}
