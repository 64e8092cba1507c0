#include "game/screens/results/result_screen.h"

#include "engine/core/app/game_state.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/text.h"
#include "engine/ui/window_manager.h"
#include "game/shop/scene/game_interface.h"
#include "game/shop/scene/scene_session.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr int kBorderSegments = 9;
constexpr int kBorderSegmentMs = 400;
constexpr float kPathDepth = 0.2f;
constexpr const char* kBackdrop = "AlphaBackGround";

void SetText(TWindow* window, const TString& text) {
    if (window && window->IsKindOf(TText::ClassId())) static_cast<TText*>(window)->SetText(text);
}

}  // namespace

void LayPath(clsParticleFx& effect, std::span<const OutlineCurve> curves) {
    effect.GetPath().Clear();
    AddCurves(effect.GetPath(), curves, kPathDepth);
}

clsResultScreen::clsResultScreen(const char* musicFile, const char* buttonName)
    : buttonName_(buttonName), music_(musicFile), border_(kBorderSegments, kBorderSegmentMs) {}

clsResultScreen::~clsResultScreen() {
    if (TGameState* state = TGameState::GetInstance()) state->SendEvent("gameover");
}

TString clsResultScreen::ValueText(const clsGameInterface* scene) {
    auto value = [scene](int category) { return scene ? scene->GetEarnings(category) : 0; };
    return TString::Format("$%d\n$%d\n$%d\n$%d\n$%d", value(clsGameInterface::kPotionEarnings),
                           value(clsGameInterface::kArtifactEarnings), value(clsGameInterface::kFruitEarnings),
                           value(clsGameInterface::kTipEarnings), scene ? scene->GetTotalEarnings() : 0);
}

clsParticleFx& clsResultScreen::AddEffect(const char* file, int pathCapacity) {
    effects_.push_back(std::make_unique<clsParticleFx>(this, file, pathCapacity, TRenderer::Get()));
    return *effects_.back();
}

void clsResultScreen::OnFxCreate() {
    if (TModalWindow* modal = GetModalParent()) modal->SetFocusWindow(this);
    border_.Build(kOutlineB);
    BuildEffects();
    for (auto& effect : effects_) effect->SetVisible(false);
}

void clsResultScreen::PostCreate(TWindowStyle& style) {
    TWindow::PostCreate(style);
    SetText(FindChild("txtDataDescription"), kRowNames);
    SetText(FindChild("txtDataValue"), ValueText(GetSceneSession().currentScene));
    StartPanelEntry();
    SetWindowVisible(FindChild(kBackdrop), false);
    SetWindowVisible(FindChild(buttonName_), false);
}

void clsResultScreen::PlaceAtRest() {
    clsFxWindow::PlaceAtRest();
    border_.Start();
    for (auto& effect : effects_) effect->SetVisible(true);
    SetWindowVisible(FindChild(kBackdrop), true);
    SetWindowVisible(FindChild(buttonName_), true);
}

void clsResultScreen::OnFxUpdate(int elapsedMs) {
    border_.Update(elapsedMs);
    for (auto& effect : effects_) effect->Update(elapsedMs);
}

void clsResultScreen::OnFxPostDraw() {
    border_.Draw();
    for (auto& effect : effects_) effect->Draw();
}

bool clsResultScreen::OnKeyDown(uint8_t key, int) {
    TWindowManager* manager = TWindowManager::Get();
    int32_t code = manager ? manager->GetKeyCode() : key;
    if (code != kEscapeKey) return false;
    if (manager) manager->DoScriptForWindow(this, kPauseScript);
    return true;
}
