// The heroine's particle effects: the spell she invokes an artifact with, and the sparkles her
// upgraded shoes leave while she walks.
#include "engine/graphics/renderer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/particles/particle_fx.h"

namespace {

const char kInvocationEffect[] = "assets/fx/artifact/invocation.par";
constexpr int kInvocationSegments = 4;
constexpr int kInvocationSegmentMs = 400;
// The spell's path starts this far up and left of her position.
constexpr float kInvocationLeft = 63;
constexpr float kInvocationUp = 60;

struct InvocationSegment {
    float points[4][2];  // control points from the path's start
    float z;
};
// Below her first, then three loops around her.
constexpr InvocationSegment kInvocationPath[kInvocationSegments] = {
    {{{35.4f, 38}, {35.4f, 38}, {35.4f, 38}, {35.4f, 38}}, -1.2f},
    {{{35.4f, 38}, {56.4f, 50.7f}, {72.8f, 17}, {35.9f, 5}}, 0.2f},
    {{{35, 37.7f}, {2.4f, 18.7f}, {0.9f, 28.6f}, {11.3f, 57.9f}}, 0.2f},
    {{{35.4f, 36.8f}, {20.3f, 22.6f}, {11.5f, 11.7f}, {69.8f, 4}}, 0.2f},
};

// By shoes level; levels without an entry have none.
const char* ShoesEffectFile(int shoesLevel) {
    switch (shoesLevel) {
        case 2:
            return "assets/fx/player/shoes2.par";
        case 3:
            return "assets/fx/player/shoes3.par";
        default:
            return nullptr;
    }
}

// The sparkles come off her feet.
constexpr float kShoesEffectDrop = 55;
constexpr float kShoesEffectDepth = 0.2f;

}  // namespace

void clsPlayer::CreateInvocationEffect() {
    invocationEffect_ =
        std::make_unique<clsParticleFx>(nullptr, kInvocationEffect, kInvocationSegments, TRenderer::Get());
    invocationEffect_->Mirror();
    invocationEffect_->SetLoop(true);
    invocationEffect_->SetSegmentDuration(kInvocationSegmentMs);
    invocationEffect_->SetVisible(false);
}

void clsPlayer::StartInvocationEffect() {
    TVec2 start = GetPosition() - TVec2(kInvocationLeft, kInvocationUp);
    invocationEffect_->GetPath().Clear();
    for (const InvocationSegment& segment : kInvocationPath) {
        float points[12];
        for (int point = 0; point < 4; ++point)
            Vec3Set(points + 3 * point, start.x + segment.points[point][0], start.y + segment.points[point][1],
                    segment.z);
        invocationEffect_->AddSegment(points);
    }
    invocationEffect_->Play();
    invocationEffect_->SetVisible(true);
    GetOwner()->GetAssets().PlaySound(kArtifactSound, true);
    artifactSoundPlaying_ = true;
}

void clsPlayer::CreateShoesEffect(int shoesLevel) {
    const char* file = ShoesEffectFile(shoesLevel);
    if (!file) return;
    shoesEffect_ = std::make_unique<clsParticleSystem>(TRenderer::Get());
    ReadParticleFile(*shoesEffect_, file);
    shoesEffect_->Start();
}

void clsPlayer::PlaceShoesEffect() {
    TVec2 feet = GetPosition();
    for (auto& emitter : shoesEffect_->GetEmitters()) emitter->SetPivot(feet.x, feet.y + kShoesEffectDrop, kShoesEffectDepth);
}

void clsPlayer::SetShoesEmitting(bool emitting) {
    if (shoesEffect_) shoesEffect_->SetStopped(!emitting);
}
