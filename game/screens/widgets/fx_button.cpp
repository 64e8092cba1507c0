#include "game/screens/widgets/fx_button.h"

#include "engine/graphics/renderer.h"
#include "engine/ui/window_manager.h"

namespace {

constexpr uint32_t kFramePeriodMs = 33;
constexpr int kPathCapacity = 2;
constexpr int kSegmentMs = 500;
constexpr float kDepth = 0.2f;

std::unique_ptr<clsParticleFx> ButtonEffect(iParticleFx* owner, const char* file) {
    auto effect = std::make_unique<clsParticleFx>(owner, file, kPathCapacity, TRenderer::Get());
    effect->SetVisible(false);
    effect->SetLoop(true);
    effect->SetSegmentDuration(kSegmentMs);
    effect->Mirror();
    return effect;
}

// A segment from p0 to p3 through the middle points p1 and p2.
void AddSegment(clsParticleFx& effect, TVec2 p0, TVec2 p1, TVec2 p2, TVec2 p3) {
    const float points[12] = {p0.x, p0.y, kDepth, p1.x, p1.y, kDepth, p2.x, p2.y, kDepth, p3.x, p3.y, kDepth};
    effect.AddSegment(points);
}

}  // namespace

TWindow* clsFxButton::Create() { return new clsFxButton(); }

TClassId clsFxButton::ClassId() { return reinterpret_cast<TClassId>(&clsFxButton::Create); }

clsFxButton::clsFxButton() : moveFx_(ButtonEffect(this, kMoveEffect)), downFx_(ButtonEffect(this, kDownEffect)) {
    downFx_->SetHandlers(clsParticleFx::kEnd);
}

clsFxButton::~clsFxButton() = default;

void clsFxButton::Init(TWindowStyle& style) {
    TButton::Init(style);
    StartAnim(kFramePeriodMs, true, true);
    clock_.Start();
    lastTimeMs_ = clock_.GetTime();
}

void clsFxButton::BuildPaths() {
    // The particles live on the screen: the paths go where the button stands now.
    TRect place = GetGlobalRect();
    float l = static_cast<float>(place.left), t = static_cast<float>(place.top);
    float w = static_cast<float>(GetWidth()), h = static_cast<float>(GetHeight());
    // Two arches that dip to the bottom edge.
    moveFx_->GetPath().Clear();
    AddSegment(*moveFx_, {l, t}, {l + 0.25f * w, t + h}, {l + 0.25f * w, t + h}, {l + 0.5f * w, t});
    AddSegment(*moveFx_, {l + 0.5f * w, t}, {l + 0.75f * w, t + h}, {l + 0.75f * w, t + h}, {l + w, t});
    // A loop round the border.
    downFx_->GetPath().Clear();
    AddSegment(*downFx_, {l, t + 0.5f * h}, {l, t}, {l + w, t}, {l + w, t + 0.5f * h});
    AddSegment(*downFx_, {l + w, t + 0.5f * h}, {l + w, t + h}, {l, t + h}, {l, t + 0.5f * h});
}

void clsFxButton::PostCreate(TWindowStyle&) { SetState(kButtonNormal); }

bool clsFxButton::OnAnimate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
    uint32_t now = clock_.GetTime();
    int elapsedMs = static_cast<int>(now - lastTimeMs_);
    moveFx_->Update(elapsedMs);
    downFx_->Update(elapsedMs);
    lastTimeMs_ = now;
    return true;
}

void clsFxButton::PostDraw() {
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer && !renderer->IsIn2d() && renderer->Begin2d();
    TWindow::PostDraw();
    moveFx_->Draw();
    downFx_->Draw();
    if (entered) renderer->End2d();
}

void clsFxButton::Restart(clsParticleFx& effect) {
    BuildPaths();
    effect.SetVisible(true);
    effect.SetStopped(false);
    effect.Play();
}

void clsFxButton::OnStateChanged(int newState, int oldState) {
    switch (newState) {
        case kButtonRollOver:
            if (moveFx_->IsStopped()) Restart(*moveFx_);
            break;
        case kButtonPressed:
            moveFx_->SetStopped(true);
            Restart(*downFx_);
            break;
        case kButtonNormal:
            moveFx_->SetStopped(true);
            downFx_->SetStopped(true);
            break;
        case kButtonActivated:
            downFx_->SetStopped(true);
            break;
        default:
            break;
    }
    TButton::OnStateChanged(newState, oldState);
}
