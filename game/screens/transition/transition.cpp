#include "game/screens/transition/transition.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/core/base/initial_values.h"
#include "engine/core/base/log.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/sprite.h"
#include "engine/graphics/texture.h"
#include "engine/ui/window_manager.h"
#include "game/data/game_tables.h"
#include "game/screens/scripting/script_calls.h"
#include "game/shop/probe/game_probe.h"

namespace {

constexpr const char* kPanelPictures[] = {"gui/t1_01", "gui/t1_02"};
constexpr float kPanelY = 300.0f;
// Each panel travels this far in its step.
constexpr int kPanelTravel = 130;
constexpr uint32_t kFramePeriodMs = 16;

// Where the panels start: sliding in from the left when closing, standing in place when opening.
float ClosingStartX(int panel) { return static_cast<float>(-125 + 170 * panel); }
float OpeningStartX(int panel) { return static_cast<float>(5 + 170 * panel); }
// Where a panel rests when the screen is closed.
float RestingX(int panel) { return static_cast<float>(170 * (panel + 1) - 165); }

const char* PhaseName(clsTransition::Phase phase) {
    switch (phase) {
        case clsTransition::Phase::kIdle: return "idle";
        case clsTransition::Phase::kClosing: return "closing";
        case clsTransition::Phase::kClosed: return "closed";
        case clsTransition::Phase::kDone: return "done";
        case clsTransition::Phase::kOpening: return "opening";
        case clsTransition::Phase::kOpen: return "open";
    }
    return "idle";
}

// The transition windows alive, oldest first, and the mode of the most recent start; the probe
// field "transition" shows the newest window's phase.
struct TransitionState {
    std::vector<const clsTransition*> windows;
    bool precededByClosing = false;
};

TransitionState& GetTransitionState() {
    static TransitionState state;
    return state;
}

std::string NewestPhase() {
    const TransitionState& state = GetTransitionState();
    return state.windows.empty() ? "none" : PhaseName(state.windows.back()->GetPhase());
}

}  // namespace

TWindow* clsTransition::Create() { return new clsTransition(); }

TClassId clsTransition::ClassId() { return reinterpret_cast<TClassId>(&clsTransition::Create); }

bool clsTransition::PrecededByClosing() { return GetTransitionState().precededByClosing; }

void clsTransition::SetPrecededByClosing(bool closing) { GetTransitionState().precededByClosing = closing; }

clsTransition::clsTransition() {
    TransitionState& state = GetTransitionState();
    if (state.windows.empty()) GameProbe::Get().Add(&state, "transition", &NewestPhase);
    state.windows.push_back(this);
}

clsTransition::~clsTransition() {
    std::vector<const clsTransition*>& windows = GetTransitionState().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void clsTransition::PostCreate(TWindowStyle& style) {
    TWindow::PostCreate(style);
    SetName(kTransitionWindowName);
    for (const char* picture : kPanelPictures) assets_.AddAsset(picture, nullptr, false);
    for (int panel = 0; panel < kPanelCount; ++panel) {
        panels_[panel] = TSprite::Create(0, assets_.GetTexture(kPanelPictures[panel % 2]));
        PlacePanel(panel, baseX_[panel]);
    }
    if (PrecededByClosing()) Start(TString(), TString());
}

void clsTransition::ReadTimes() {
    const GameTables& tables = GetGameTables();
    stepMs_ = tables.transitionTimeStep;
    endMs_ = tables.transitionTimeEnd;
    if (stepMs_ > 0) return;
    LogPrintf("[WARN] transitionTimeStep %d is not positive: the transition takes 1 ms a panel", stepMs_);
    stepMs_ = 1;
}

void clsTransition::Start(const TString& code, const TString& functionName) {
    ReadTimes();
    closing_ = !code.IsEmpty() || !functionName.IsEmpty();
    for (int panel = 0; panel < kPanelCount; ++panel) baseX_[panel] = closing_ ? ClosingStartX(panel) : OpeningStartX(panel);
    if (closing_) {
        state_ = 0;
        elapsedMs_ = 0;
        phase_ = Phase::kClosing;
        RunScriptLine("DisableAllButtons()");
    } else {
        state_ = kPanelCount - 1;
        elapsedMs_ = kPanelCount * stepMs_;
        phase_ = Phase::kOpening;
    }
    for (int panel = 0; panel < kPanelCount; ++panel) PlacePanel(panel, baseX_[panel]);
    SetPrecededByClosing(closing_);
    lastState_ = -1;
    finished_ = false;
    visible_ = true;
    clock_.Start();
    lastTimeMs_ = clock_.GetTime();
    code_ = code;
    functionName_ = functionName;
    StartAnim(kFramePeriodMs, true, true);
}

float clsTransition::GetPanelX(int panel) const {
    const std::shared_ptr<TSprite>& sprite = panels_.at(panel);
    return sprite ? sprite->GetState().transform.m[6] : baseX_.at(panel);
}

void clsTransition::PlacePanel(int panel, float x) {
    if (panels_[panel]) panels_[panel]->GetState() = TSpriteState(TVec2(x, kPanelY));
}

bool clsTransition::OnAnimate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    uint32_t now = clock_.GetTime();
    int deltaMs = static_cast<int>(now - lastTimeMs_);  // unsigned difference: a wrapped clock still counts
    lastTimeMs_ = now;
    elapsedMs_ += closing_ ? deltaMs : -deltaMs;
    // An opening transition starts at the end of its last panel's step: a frame that took no time
    // still shows that panel.
    if (!closing_) state_ = std::min(elapsedMs_ / stepMs_, kPanelCount - 1);
    if (closing_ && !finished_) state_ = elapsedMs_ / stepMs_;
    if (state_ != lastState_) {
        if (closing_) ReachClosingState(state_);
        lastState_ = state_;
    }
    if (!finished_ && state_ >= 0 && state_ < kPanelCount) {
        MoveCurrentPanel();
        return true;
    }
    if (!closing_) phase_ = Phase::kOpen;
    if (elapsedMs_ < endMs_) return true;
    RunEndAction();
    return false;
}

void clsTransition::ReachClosingState(int state) {
    // A slow frame may skip states: every panel below the new one rests, not only the last.
    for (int panel = 0; panel < std::min(state, kPanelCount); ++panel) PlacePanel(panel, RestingX(panel));
    if (state < kPanelCount) return;
    finished_ = true;
    elapsedMs_ = 0;
    state_ = kPanelCount - 1;
    phase_ = Phase::kClosed;
}

void clsTransition::MoveCurrentPanel() {
    int intoStepMs = elapsedMs_ - state_ * stepMs_;
    float step = static_cast<float>(stepMs_);
    float x = closing_ ? baseX_[state_] + static_cast<float>(intoStepMs * kPanelTravel) / step
                       : baseX_[state_] + (static_cast<float>(intoStepMs) / step - 1.0f) * kPanelTravel;
    PlacePanel(state_, x);
}

void clsTransition::RunEndAction() {
    if (!code_.IsEmpty()) {
        RunScriptLine(code_);
        visible_ = false;
    } else if (!functionName_.IsEmpty()) {
        CallScriptFunction(functionName_);
        visible_ = false;
    }
    phase_ = Phase::kDone;
    RunScriptLine("EnableAllButtons()");
}

void clsTransition::Draw() {
    if (!visible_ || state_ < 0 || state_ >= kPanelCount) return;
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    for (int panel = state_; panel >= 0; --panel) {
        if (panels_[panel]) panels_[panel]->Draw(TSpriteState(), -1);
    }
    if (entered) renderer->End2d();
}
