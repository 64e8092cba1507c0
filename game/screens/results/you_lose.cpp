#include "game/screens/results/result_screens.h"

#include "engine/core/app/game_state.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script_link.h"

namespace {

constexpr const char* kLoseEffectFile = "assets/fx/YouLose/YouLose.par";
constexpr int kLoseSegmentMs = 800;
// Two segments standing on one point: the first behind the panel, the second in front of it.
constexpr OutlinePoint kPuffPoint{635, 120};
constexpr float kPuffDepths[] = {-0.2f, 0.2f};

}  // namespace

TWindow* TYouLose::Create() {
    return new TYouLose();
}

TClassId TYouLose::ClassId() {
    return reinterpret_cast<TClassId>(&TYouLose::Create);
}

TYouLose::TYouLose() : clsResultScreen(kMusicFile, kButton) {}

void TYouLose::BuildEffects() {
    clsParticleFx& effect = AddEffect(kLoseEffectFile, 2);
    effect.Mirror();
    effect.SetLoop(false);
    effect.SetSegmentDuration(kLoseSegmentMs);
    effect.GetPath().Clear();
    const OutlineCurve puff = {kPuffPoint, kPuffPoint, kPuffPoint, kPuffPoint};
    for (float depth : kPuffDepths) AddCurves(effect.GetPath(), std::span(&puff, 1), depth);
    effect.Play();
}

void TYouLose::OnFxUpdate(int elapsedMs) {
    TGameState* state = TGameState::GetInstance();
    TWindowManager* manager = TWindowManager::Get();
    if (state && state->QueryJumpToMenu() && manager && manager->GetScript())
        manager->GetScript()->DoLuaString(kQuitScript);
    clsResultScreen::OnFxUpdate(elapsedMs);
}
