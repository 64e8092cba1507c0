// The floor grid, the item offsets, the shelf's artifacts and the screen's particle effects: the
// sparks that carry picked-up money to the score and the fireworks of a won level.
#include "engine/graphics/renderer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/scene/cell_grid.h"
#include "game/shop/scene/game_random.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/screen/shop_layout.h"

namespace {

constexpr char kMoneySparkEffect[] = "assets/fx/fx_spark/snowflake.txt";
constexpr int kMoneySparkPathCapacity = 32;
constexpr int kMoneySparkSegmentMs = 1500;
constexpr char kFireworkEffect[] = "assets/fx/WinLevel/win.par";
constexpr int kFireworkPathCapacity = 4;
constexpr int kFireworkSegmentMs = 100;
constexpr int kFireworkSegments = 4;
constexpr float kEffectDepth = 0.2f;
// Where a spark flies: out to the left of the pick-up, over to the right and onto the score.
constexpr float kSparkSwingX = -75.0f, kSparkSwingY = 40.0f;
constexpr float kSparkTurnX = 690.0f;
const TVec2 kScorePoint{190.0f, 40.0f};
// Fireworks burst inside this part of the sky.
constexpr int kFireworkLeft = 50, kFireworkWidth = 701;
constexpr int kFireworkTop = 50, kFireworkHeight = 151;

std::unique_ptr<clsParticleFx> MakeEffect(iParticleFx* owner, const char* file, int pathCapacity) {
    auto effect = std::make_unique<clsParticleFx>(owner, file, pathCapacity, TRenderer::Get());
    effect->Mirror();
    effect->SetVisible(false);
    effect->SetLoop(false);
    effect->SetHandlers(clsParticleFx::kEnd);
    return effect;
}

}  // namespace

void clsShopGame::CreateGrid() {
    grid_ = std::make_unique<clsCellGrid>(kGridRows, kGridColumns, kGridCellSize, kGridCellSize);
    for (int column = 0; column < kGridColumns; ++column)
        for (int row = 0; row < kGridRows; ++row) grid_->AddCell(row, column, kGridAnchors[row][column], false);
    grid_->SetOrigin(kGridOrigin.x, kGridOrigin.y);
}

TVec2 clsShopGame::GetItemOffset(int index) {
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(kItemOffsetCount)) return TVec2();
    return kItemOffsets[index];
}

void clsShopGame::CreateMoneySparks() {
    for (auto& spark : moneySparks_) spark = MakeEffect(this, kMoneySparkEffect, kMoneySparkPathCapacity);
}

void clsShopGame::CreateFireworks() {
    for (auto& firework : fireworks_) firework = MakeEffect(this, kFireworkEffect, kFireworkPathCapacity);
}

// Only three sparks exist. When a fourth amount comes while all three fly, the oldest spark is taken
// over: its amount lands at once, so every amount reaches the money and the count of sparks in flight
// comes back to 0.
void clsShopGame::LaunchMoneySpark(float x, float y, int amount) {
    if (sparksInFlight_ >= kMoneySparkCount) LandMoneySpark();
    pendingMoney_.push_back(amount);
    clsParticleFx& spark = *moneySparks_[moneySparkIndex_];
    float points[12];
    Vec3Set(points, x, y, kEffectDepth);
    Vec3Set(points + 3, x + kSparkSwingX, y + kSparkSwingY, kEffectDepth);
    Vec3Set(points + 6, kSparkTurnX, y, kEffectDepth);
    Vec3Set(points + 9, kScorePoint.x, kScorePoint.y, kEffectDepth);
    spark.GetPath().Clear();
    spark.AddSegment(points);
    spark.SetSegmentDuration(kMoneySparkSegmentMs);
    spark.SetVisible(true);
    spark.SetStopped(false);
    spark.Update(0);
    PlayMoneySpark();
    moneySparkIndex_ = (moneySparkIndex_ + 1) % kMoneySparkCount;
    ++sparksInFlight_;
}

void clsShopGame::PlayMoneySpark() {
    moneySparks_[moneySparkIndex_]->Play();
    for (auto& spark : moneySparks_) spark->Update(0);
}

void clsShopGame::LaunchFirework() {
    ++fireworksCount_;
    fireworkIndex_ = (fireworkIndex_ + 1) % kFireworkCount;
    clsParticleFx& firework = *fireworks_[fireworkIndex_];
    float points[12];
    for (int point = 0; point < 4; ++point) {
        float y = static_cast<float>(GameRandom() % kFireworkHeight + kFireworkTop);
        float x = static_cast<float>(GameRandom() % kFireworkWidth + kFireworkLeft);
        Vec3Set(points + 3 * point, x, y, kEffectDepth);
    }
    firework.GetPath().Clear();
    for (int segment = 0; segment < kFireworkSegments; ++segment) firework.AddSegment(points);
    firework.SetSegmentDuration(kFireworkSegmentMs);
    firework.SetVisible(true);
}

void clsShopGame::UpdateEffects(int ms) {
    for (auto& spark : moneySparks_) spark->Update(ms);
}

void clsShopGame::UpdateAllEffects(int ms) {
    UpdateEffects(ms);
    for (auto& firework : fireworks_) firework->Update(ms);
}

void clsShopGame::OnFxEnd(clsParticleFx* effect) {
    effect->SetStopped(true);
    for (auto& spark : moneySparks_) {
        if (spark.get() != effect) continue;
        LandMoneySpark();
        if (sparksInFlight_ < 1 && state_ == kFinishing) ShowLevelResult();
        return;
    }
    for (auto& firework : fireworks_) {
        if (firework.get() != effect) continue;
        if (fireworksCount_ >= 3) {
            fireworksCount_ = -1000;
            heroine_->PlayWin();
        }
        LaunchFirework();
        fireworks_[fireworkIndex_]->Play();
        return;
    }
}
