#include "game/shop/props/plant.h"

#include <algorithm>

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/scene/game_random.h"

namespace {

constexpr char kPlantTexture[] = "anim/plant/plant";
constexpr char kBalloonTexture[] = "anim/ballon";
constexpr char kFruitSparkleTexture[] = "fx/fruit/fx_fruit";

// Seconds before each stage's request; the ripe stage asks for nothing.
constexpr float kStageSeconds[] = {5.0f, 5.0f, 7.0f, -1.0f};
// The growth animations, played when the stage of the same index is left; kRestartEvent after the picking.
constexpr const char* kStageEvents[] = {"Anim12", "Anim23", "Anim34"};
constexpr char kRestartEvent[] = "Anim41";
// The first request of a new plant comes a second after the stage time.
constexpr float kFirstTimerSeconds = -1.0f;
constexpr int kSecondRequestStage = 3;
constexpr size_t kMaxRequests = 2;
constexpr int kGrowthCharmBit = 2;
constexpr size_t kGrowthCharm = 1;  // the growth charm's record

const TVec2 kShadowOffset{0.0f, 35.0f};
constexpr float kShadowScale = 0.5f;
const TVec2 kBalloonOffset{25.0f, -30.0f};
const TVec2 kFruitSparkleOffset{-2.0f, -30.0f};
const TVec2 kOneRequestOffset{0.0f, -5.0f};
const TVec2 kTwoRequestOffsets[] = {{-16.0f, -4.0f}, {17.0f, -4.0f}};

float GrowthFactor(int charmBits) {
    const std::vector<CharmRecord>& charms = GetGameTables().charms;
    if ((charmBits & kGrowthCharmBit) == 0 || charms.size() <= kGrowthCharm) return 1.0f;
    return charms[kGrowthCharm].factor;
}

}  // namespace

clsPlant::clsPlant(iGameScene* owner, const std::vector<int>& ingredientIds, int charmBits)
    : clsActor(owner),
      balloon_(std::make_unique<clsSprite>(owner)),
      requestPool_(ingredientIds),
      stageEvent_(kStageEvents[0]),
      timerSeconds_(kFirstTimerSeconds),
      fruitSparkle_(std::make_unique<clsAnimatedSprite>(owner)),
      growthFactor_(GrowthFactor(charmBits)) {
    AddShadow(kShadowOffset.x, kShadowOffset.y, kShadowScale);
    GetBody()->SetTexture(GetBody()->GetSceneTexture(kPlantTexture));
    GetBody()->GetAnimation().SetCurrentFrame(0);
    balloon_->SetTexture(balloon_->GetSceneTexture(kBalloonTexture));
    balloon_->AttachToPoint(GetBody(), kBalloonOffset);
    balloon_->SetVisible(false);
    fruitSparkle_->SetTexture(fruitSparkle_->GetSceneTexture(kFruitSparkleTexture));
    fruitSparkle_->AttachToPoint(GetBody(), kFruitSparkleOffset);
    fruitSparkle_->Play("DoAnim");
    fruitSparkle_->SetVisible(false);
}

clsPlant::~clsPlant() {
    ClearRequests();
}

int clsPlant::GetRequestId(int i) const {
    if (i < 0 || i >= GetRequestCount()) return -1;
    return requests_[static_cast<size_t>(i)]->GetIngredientId();
}

int clsPlant::PickRequest() const {
    auto known = static_cast<uint32_t>(std::count_if(requestPool_.begin(), requestPool_.end(),
                                                     [](int id) { return id != -1; }));
    if (known == 0) return -1;
    return requestPool_[GameRandom() % known];
}

void clsPlant::AddRequest() {
    if (requests_.size() < kMaxRequests) {
        int ingredientId = PickRequest();
        // Without an ingredient to ask for the plant asks for nothing (and tries again a stage later).
        if (ingredientId == -1) return;
        requests_.push_back(new clsIngredientGraph(GetOwner(), ingredientId, clsIngredientGraph::kScroll));
    }
    balloon_->SetVisible(true);
    ArrangeRequests();
}

void clsPlant::ArrangeRequests() {
    for (size_t i = 0; i < requests_.size(); ++i) {
        TVec2 offset = requests_.size() == 1 ? kOneRequestOffset : kTwoRequestOffsets[i];
        if (clsSprite* icon = requests_[i]->GetIcon()) icon->AttachToPoint(balloon_.get(), offset);
    }
}

void clsPlant::ClearRequests() {
    balloon_->SetVisible(false);
    for (clsIngredientGraph* request : requests_) request->Destroy();
    requests_.clear();
}

float clsPlant::StageSeconds() const {
    return kStageSeconds[stage_ - 1] * growthFactor_;
}

void clsPlant::Update(float dt) {
    clsActor::Update(dt);
    balloon_->Update(dt);
    for (clsIngredientGraph* request : requests_) request->Update(dt);
    if (!animating_ && (requests_.empty() || stage_ == kRipeStage)) timerSeconds_ += dt;
    if (kStageSeconds[stage_ - 1] > 0.0f && timerSeconds_ >= StageSeconds()) {
        AddRequest();
        if (stage_ == kSecondRequestStage) AddRequest();
        timerSeconds_ = 0.0f;
    }
    fruitSparkle_->Update(dt);
}

void clsPlant::Draw() {
    fruitSparkle_->Draw();
    clsActor::Draw();
    balloon_->Draw();
    for (clsIngredientGraph* request : requests_) request->Draw();
}

bool clsPlant::FulfilRequest(int ingredientId) {
    auto fulfilled = std::stable_partition(requests_.begin(), requests_.end(), [ingredientId](clsIngredientGraph* r) {
        return r->GetIngredientId() != ingredientId;
    });
    std::for_each(fulfilled, requests_.end(), [](clsIngredientGraph* request) { request->Destroy(); });
    requests_.erase(fulfilled, requests_.end());
    if (requests_.empty()) {
        ClearRequests();
        AdvanceStage();
        timerSeconds_ = 0.0f;
        return true;
    }
    ArrangeRequests();
    return false;
}

void clsPlant::AdvanceStage() {
    if (stage_ < 1 || stage_ >= kRipeStage) return;
    PlayStageEvent(kStageEvents[stage_ - 1]);
    ++stage_;
    animating_ = true;
}

void clsPlant::PlayStageEvent(const TString& event) {
    stageEvent_ = event;
    GetBody()->GetAnimation().SetCurrentFrame(0);
    GetBody()->Play(event);
}

void clsPlant::OnMoveEnded() {
    animating_ = false;
    if (stage_ >= kRipeStage) {
        ripeShown_ = true;
        fruitSparkle_->SetVisible(true);
    }
}

void clsPlant::Restart() {
    ClearRequests();
    stage_ = 1;
    ripeShown_ = false;
    PlayStageEvent(kRestartEvent);
    timerSeconds_ = 0.0f;
    fruitSparkle_->SetVisible(false);
}

void PreloadPlantAnims(iGameAssets& assets) {
    clsActor::PreloadShadow(assets);
    assets.AddPreloadAnim(kPlantTexture);
    assets.AddPreloadAnim(kBalloonTexture);
    assets.AddPreloadAnim(kFruitSparkleTexture);
}
