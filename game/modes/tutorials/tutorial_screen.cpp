#include "game/modes/tutorials/tutorial_screen.h"

#include <string>

#include "engine/sound/sound.h"
#include "game/data/game_manager.h"
#include "game/shop/assistants/radaduvoz.h"
#include "game/shop/heroine/player.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/probe/game_probe.h"

namespace {

void SetInsideGame(bool inside) {
    if (GameManager* manager = GameManager::Get()) manager->InsideGame(inside);
}

}  // namespace

clsTutorialScreen::clsTutorialScreen(const Options& options)
    : clsTutorial(this, options.textPrefix), options_(options) {
    functions_.Bind("tutorialNextState", static_cast<clsTutorial*>(this), &clsTutorial::tutorialNextState);
    functions_.Bind("finalizeTutorial", static_cast<clsTutorial*>(this), &clsTutorial::finalizeTutorial);
    GameProbe& probe = GameProbe::Get();
    probe.Add(this, "tutorial", [this] { return std::to_string(GetStep()); });
    probe.Add(this, "arrow", [this] {
        clsAnimatedSprite* arrow = GetArrow();
        return std::string(!arrow ? "none" : arrow->IsAwaitingEnd() ? "appearing" : "shown");
    });
}

clsTutorialScreen::~clsTutorialScreen() {
    functions_.Unbind();
    GameProbe::Get().RemoveOwner(this);
}

void clsTutorialScreen::Init(TWindowStyle& style) {
    clsShopGame::Init(style);
    if (!GetHeroine()) return;
    SetInsideGame(false);
    RunScript("playAnimationBook('', '')");
    GetHeroine()->SetPositionV(options_.heroineStart);
}

void clsTutorialScreen::PostCreate(TWindowStyle& style) {
    clsShopGame::PostCreate(style);
    FindOverlayAndButtons(*this);
    if (options_.hidesButtons) SetButtonsHidden(true);
}

bool clsTutorialScreen::OnAnimate() {
    if (GetState() == kConstructed) return true;
    clsGameInterface::OnAnimate();
    float dt = TakeFrameSeconds(false);
    UpdateScenery(dt, options_.movingParts);
    if (options_.movesRadaduvoz) GetRadaduvoz()->Update(dt);
    UpdateEffects(static_cast<int>(dt * 1000.0f));
    UpdateBrewing(dt);
    GetRoster()->Update(dt);
    UpdateStep(dt);
    UpdatePointers(dt);
    UpdateCounter(dt, 0.0f);
    OnCustomersUpdated();
    return true;
}

void clsTutorialScreen::PostDraw() {
    clsShopGame::PostDraw();
    DrawPointers();
}

void clsTutorialScreen::StartWhenOverlayGone(float dt) {
    if (!FadeOverlay(dt)) return;
    SetInsideGame(true);
    SetStep(1);
    if (options_.hidesButtons) SetButtonsHidden(false);
    tutorialNextState();
}

void clsTutorialScreen::LeaveShop() {
    SetInsideGame(false);
    SetState(kFinishing);
    if (GetMusic()) GetMusic()->Stop();
    RunScript("onEndTutorial()");
}
