#include "game/screens/titlecard/title_card.h"

#include "engine/graphics/renderer.h"
#include "engine/graphics/sprite.h"
#include "engine/graphics/texture.h"

namespace {

const char kShineEffect[] = "assets/fx/titlecard/shine.par";
const char kStarEffect[] = "assets/fx/titlecard/star.par";
const char kPotionPicture[] = "fx/titlecard/potion_st";
const char* const kPictures[] = {kPotionPicture, nullptr};

constexpr float kDepth = 0.2f;
constexpr float kPotionX = 477.0f;
constexpr float kPotionY = 126.0f;

// The glow stays in place: one segment of four copies of its point.
constexpr int kShineSegmentMs = 500;
constexpr clsFxPath::Segment kShinePath[] = {
    {480, 137, kDepth, 480, 137, kDepth, 480, 137, kDepth, 480, 137, kDepth},
};
// The sparkles go round the picture in two arcs.
constexpr int kStarSegmentMs = 800;
constexpr clsFxPath::Segment kStarPath[] = {
    {477, 77, kDepth, 379, 150, kDepth, 557, 186, kDepth, 477, 173, kDepth},
    {477, 172, kDepth, 404, 186, kDepth, 578, 152, kDepth, 475, 77, kDepth},
};

template <size_t kSegments>
std::unique_ptr<clsParticleFx> LoopingEffect(iParticleFx* owner, const char* file, int segmentMs,
                                             const clsFxPath::Segment (&path)[kSegments]) {
    auto effect = std::make_unique<clsParticleFx>(owner, file, static_cast<int>(kSegments), TRenderer::Get());
    effect->Mirror();
    effect->SetLoop(true);
    effect->SetSegmentDuration(segmentMs);
    effect->GetPath().Clear();
    for (const clsFxPath::Segment& segment : path) effect->AddSegment(segment.data());
    effect->Play();
    return effect;
}

}  // namespace

clsTitleCard::clsTitleCard(iParticleFx* starOwner)
    : shine_(LoopingEffect(nullptr, kShineEffect, kShineSegmentMs, kShinePath)),
      star_(LoopingEffect(starOwner, kStarEffect, kStarSegmentMs, kStarPath)) {
    assets_.AddAssets(kPictures);
    potion_ = TSprite::Create(0, assets_.GetTexture(kPotionPicture));
    potion_->GetState() = TSpriteState(TVec2(kPotionX, kPotionY));
}

clsTitleCard::~clsTitleCard() = default;

void clsTitleCard::Update(int elapsedMs) {
    shine_->Update(elapsedMs);
    star_->Update(elapsedMs);
}

void clsTitleCard::Draw() {
    shine_->Draw();
    potion_->Draw(TSpriteState(), -1);
    star_->Draw();
}
