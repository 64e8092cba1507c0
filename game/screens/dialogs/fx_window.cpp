#include "game/screens/dialogs/fx_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/core/app/application.h"
#include "engine/core/base/clock.h"
#include "engine/core/base/mersenne_twister.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/window_anim.h"
#include "engine/ui/window_manager.h"
#include "game/shop/probe/game_probe.h"

namespace {

constexpr uint32_t kFramePeriodMs = 16;

// Where a transition starts, where its first leg ends and where the target rests.
struct TransitionLegs {
    float start = 0.0f;
    float firstEnd = 0.0f;
    float rest = 0.0f;
};

// The target's rectangle on the screen, the dialog's own size and the overshoot fraction e.
TransitionLegs LegsFor(int code, const TRect& target, float dialogWidth, float dialogHeight, float e) {
    const float l = static_cast<float>(target.left), t = static_cast<float>(target.top);
    const float r = static_cast<float>(target.right), b = static_cast<float>(target.bottom);
    switch (code) {
        case clsFxWindow::kSlideInLeft: return {l - r, l + (r - l) * e, l};
        case clsFxWindow::kSlideInRight: return {dialogWidth, l - (r - l) * e, l};
        case clsFxWindow::kSlideInTop: return {t - b, t + (b - t) * e, t};
        case clsFxWindow::kSlideInBottom: return {dialogHeight, t - (b - t) * e, t};
        case clsFxWindow::kZoomIn: return {0.0f, 1.0f + e, 1.0f};
        case clsFxWindow::kZoomDown: return {2.0f, 1.0f - e, 1.0f};
        case clsFxWindow::kSlideOutLeft: return {l, l - r, l - r};
        case clsFxWindow::kSlideOutRight: return {l, dialogWidth, dialogWidth};
        case clsFxWindow::kSlideOutTop: return {t, t - b, t - b};
        case clsFxWindow::kSlideOutBottom: return {t, dialogHeight, dialogHeight};
        case clsFxWindow::kZoomOut: return {1.0f, 0.0f, 0.0f};
        case clsFxWindow::kZoomUp: return {1.0f, 2.0f, 2.0f};
        default: return {};
    }
}

bool MovesX(int code) {
    return code == clsFxWindow::kSlideInLeft || code == clsFxWindow::kSlideInRight ||
           code == clsFxWindow::kSlideOutLeft || code == clsFxWindow::kSlideOutRight;
}

bool MovesY(int code) {
    return code == clsFxWindow::kSlideInTop || code == clsFxWindow::kSlideInBottom ||
           code == clsFxWindow::kSlideOutTop || code == clsFxWindow::kSlideOutBottom;
}

bool Zooms(int code) {
    return code == clsFxWindow::kZoomIn || code == clsFxWindow::kZoomDown || code == clsFxWindow::kZoomOut ||
           code == clsFxWindow::kZoomUp;
}

// Only the inward transitions bounce; the outward ones (and unknown codes) run one leg.
bool Bounces(int code) {
    return code >= clsFxWindow::kSlideInLeft && code <= clsFxWindow::kZoomDown;
}

int Trunc(float value) {
    return static_cast<int>(value);
}

// The dialogs open now, oldest first, and which of them have come to rest: the probe's field "panel"
// shows the newest as "<class>:rest" or "<class>:moving".
struct FxWindowState {
    std::vector<const clsFxWindow*> open;
    std::vector<const clsFxWindow*> resting;
};

FxWindowState& GetFxWindowState() {
    static FxWindowState state;
    return state;
}

std::string NewestPanel() {
    const FxWindowState& state = GetFxWindowState();
    if (state.open.empty()) return "none";
    const clsFxWindow* newest = state.open.back();
    bool resting = std::find(state.resting.begin(), state.resting.end(), newest) != state.resting.end();
    return std::string(newest->GetClassName()) + (resting ? ":rest" : ":moving");
}

void Forget(std::vector<const clsFxWindow*>& windows, const clsFxWindow* window) {
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

}  // namespace

uint32_t WindowAnimTimeMs(TWindow& window) {
    const TClock* clock = window.GetWindowAnim()->GetTimeSource();
    return clock ? clock->GetTime() : ApplicationTimer();
}

clsFxWindow::clsFxWindow() : driver_(this) {
    driver_.Hook(clsTimeDriver::kStep | clsTimeDriver::kEnd);
    FxWindowState& state = GetFxWindowState();
    if (state.open.empty()) GameProbe::Get().Add(&state, "panel", &NewestPanel);
    state.open.push_back(this);
}

clsFxWindow::~clsFxWindow() {
    FxWindowState& state = GetFxWindowState();
    Forget(state.open, this);
    Forget(state.resting, this);
}

void clsFxWindow::Init(TWindowStyle& style) {
    TWindow::Init(style);
    StartAnim(kFramePeriodMs, true, true);
    OnFxCreate();
    lastTimeMs_ = NowMs();
}


bool clsFxWindow::OnAnimate() {
    uint32_t now = NowMs();
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    int elapsedMs = static_cast<int>(now - lastTimeMs_);  // unsigned difference: a wrapped clock still counts
    OnFxUpdate(elapsedMs);
    driver_.Update(elapsedMs);
    lastTimeMs_ = now;
    return true;
}

void clsFxWindow::Draw() {
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    OnFxDraw();
    TWindow::Draw();
    if (entered) renderer->End2d();
}

void clsFxWindow::PostDraw() {
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    OnFxPostDraw();
    TWindow::PostDraw();
    if (entered) renderer->End2d();
}

int clsFxWindow::DrawSlideIn() {
    MersenneTwister random;
    random.Seed(NowMs());
    double high = random.Next() >> 5;
    double low = random.Next() >> 6;
    double uniform = (high * 67108864.0 + low) / 9007199254740992.0;  // 53 bits in [0, 1)
    return kSlideInLeft + static_cast<int>(4.0 * uniform);
}

void clsFxWindow::StartSlideTransition(TWindow* target, int code, float elasticity, int factor) {
    if (!target) return;
    elasticity_ = elasticity;
    target_ = target;
    code_ = code == kRandomSlideIn ? DrawSlideIn() : code;
    legMs_ = Trunc(elasticity * static_cast<float>(factor));
    targetWidth_ = target->GetWidth();
    targetHeight_ = target->GetHeight();
    const TRect& own = GetRect();
    TransitionLegs legs = LegsFor(code_, target->GetGlobalRect(), static_cast<float>(static_cast<uint32_t>(own.Width())),
                                  static_cast<float>(static_cast<uint32_t>(own.Height())), elasticity);
    restValue_ = legs.rest;
    OnMoveStep(&driver_, legs.start, 0);
    driver_.Set(legs.start, legs.firstEnd, legMs_);
    driver_.Start();
}

void clsFxWindow::StartPanelEntry() {
    StartSlideTransition(FindChild("BackGround"), kRandomSlideIn, kPanelElasticity, kPanelFactor);
}

void clsFxWindow::OnMoveStep(clsTimeDriver*, float value, int) {
    if (!target_) return;
    const TRect& place = target_->GetRect();
    if (MovesX(code_)) target_->MoveTo(Trunc(value), place.top);
    if (MovesY(code_)) target_->MoveTo(place.left, Trunc(value));
    if (Zooms(code_))
        target_->SetSize(Trunc(value * static_cast<float>(targetWidth_)), Trunc(value * static_cast<float>(targetHeight_)));
}

float clsFxWindow::CurrentValue() const {
    if (code_ == kSlideInLeft || code_ == kSlideInRight) return static_cast<float>(target_->GetGlobalRect().left);
    if (code_ == kSlideInTop || code_ == kSlideInBottom) return static_cast<float>(target_->GetGlobalRect().top);
    // The size factor as a float, so that the zoom bounces around the rest size from either side.
    if ((code_ == kZoomIn || code_ == kZoomDown) && targetWidth_ != 0)
        return static_cast<float>(target_->GetWidth()) / static_cast<float>(targetWidth_);
    return 0.0f;
}

void clsFxWindow::OnMoveEnd(clsTimeDriver* driver) {
    if (!target_) return;
    elasticity_ *= kElasticityDecay;
    if (elasticity_ < kRestElasticity || !Bounces(code_)) {
        PlaceAtRest();
        return;
    }
    float current = CurrentValue();
    legMs_ -= Trunc(static_cast<float>(legMs_) * elasticity_);
    driver->Set(current, restValue_ + (restValue_ - current) * elasticity_, legMs_);
    driver->Start();
}

void clsFxWindow::PlaceAtRest() {
    if (!target_) return;
    Forget(GetFxWindowState().resting, this);
    GetFxWindowState().resting.push_back(this);
    const TRect& place = target_->GetRect();
    if (code_ == kSlideInLeft || code_ == kSlideInRight) target_->MoveTo(Trunc(restValue_), place.top);
    if (code_ == kSlideInTop || code_ == kSlideInBottom) target_->MoveTo(place.left, Trunc(restValue_));
    if (code_ == kZoomIn || code_ == kZoomDown) target_->SetSize(targetWidth_, targetHeight_);
}
