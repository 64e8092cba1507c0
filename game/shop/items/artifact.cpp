#include "game/shop/items/artifact.h"

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/shop/objects/game_scene.h"

namespace {

constexpr char kClockTexture[] = "anim/artifacts/artifact_time";
constexpr char kGlowTexture[] = "fx/artifact/fx_artifact";
const TVec2 kGlowOffset{-5.0f, 20.0f};
constexpr int kArtifactPictures = 9;

int ArtifactValue(int artifactId) {
    const std::vector<float>& values = GetGameTables().artifactValues;
    if (artifactId < 0 || artifactId >= static_cast<int>(values.size())) return 0;
    return static_cast<int>(values[artifactId]);
}

}  // namespace

clsArtifact* clsBasicObject::AsArtifact() {
    return GetTypeCode() == kArtifact ? static_cast<clsArtifact*>(this) : nullptr;
}

clsArtifact::clsArtifact(iGameScene* owner, int artifactId, int state)
    : clsObjectRequired(owner), artifactId_(artifactId) {
    SetTypeCode(kArtifact);
    SetValue(ArtifactValue(artifactId));
    GetSprite()->SetTexture(GetSceneTexture(TextureName(artifactId, state)));
    clock_ = std::make_unique<clsAnimatedSprite>(owner);
    clock_->SetTexture(GetSceneTexture(kClockTexture));
    clock_->AttachTo(GetSprite(), 0.0f, 0.0f);
    clock_->SetVisible(false);
    SetState(state);
    glow_ = std::make_unique<clsAnimatedSprite>(owner);
    glow_->SetTexture(GetSceneTexture(kGlowTexture));
    glow_->AttachToPoint(GetSprite(), kGlowOffset);
    glow_->SetVisible(false);
}

clsArtifact::~clsArtifact() = default;

TString clsArtifact::TextureName(int artifactId, int state) {
    return TString::Format("anim/artifacts/artifact_%d%s", artifactId + 1, state == kSpent ? "_off" : "");
}

void clsArtifact::SetState(int state) {
    if (state != kRecharging && GetSprite()) GetSprite()->SetTexture(GetSceneTexture(TextureName(artifactId_, state)));
    state_ = state;
}

void clsArtifact::StartClock(float seconds) {
    clockRunning_ = true;
    clockFrameSecs_ = seconds / kClockFrames;
    clockFrame_ = 0;
    clock_->GetAnimation().SetCurrentFrame(0);
    clockElapsedSecs_ = 0.0f;
    clock_->SetVisible(true);
}

void clsArtifact::SetGlowVisible(bool visible) {
    glow_->SetVisible(visible);
    if (visible)
        glow_->Play("DoAnim");
    else
        glow_->GetAnimation().StopScript();
}

void clsArtifact::Update(float dt) {
    clsObjectRequired::Update(dt);
    clock_->Update(dt);
    if (clockRunning_) AdvanceClock(dt);
    glow_->Update(dt);
}

void clsArtifact::AdvanceClock(float dt) {
    clockElapsedSecs_ += dt;
    if (clockFrameSecs_ <= 0.0f) {
        clockFrame_ = kLastClockFrame + 1;  // no time to show: the clock is over at once
    } else {
        while (clockElapsedSecs_ >= clockFrameSecs_) {
            ++clockFrame_;
            clockElapsedSecs_ -= clockFrameSecs_;
        }
    }
    if (clockFrame_ > kLastClockFrame) {
        clock_->Play("disappear");
        clockRunning_ = false;
    } else {
        clock_->GetAnimation().SetCurrentFrame(clockFrame_);
    }
}

void clsArtifact::Draw() {
    clsObjectRequired::Draw();
    clock_->Draw();
    glow_->Draw();
}

void PreloadArtifactAnims(iGameAssets& assets) {
    for (int n = 1; n <= kArtifactPictures; ++n) {
        assets.AddPreloadAnim(TString::Format("anim/artifacts/artifact_%d", n));
        assets.AddPreloadAnim(TString::Format("anim/artifacts/artifact_%d_off", n));
    }
    assets.AddPreloadAnim(kClockTexture);
    assets.AddPreloadAnim(kGlowTexture);
}
