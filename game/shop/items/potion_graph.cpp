#include "game/shop/items/potion_graph.h"

#include "game/data/game_tables.h"
#include "game/shop/objects/game_scene.h"

namespace {

constexpr char kFruitTexture[] = "anim/plant/plant_fruit";
constexpr char kFruitSparkleTexture[] = "fx/fruit/fx_fruit";
const TVec2 kFruitSparkleOffset{-5.0f, -10.0f};
constexpr int kPotionPictures = 10;
constexpr int kFruitValue = 60;
constexpr int kValuePerIngredient = 15;

}  // namespace

clsPotionGraph* clsBasicObject::AsPotionGraph() {
    return GetTypeCode() == kPotionGraph ? static_cast<clsPotionGraph*>(this) : nullptr;
}

clsPotionGraph::clsPotionGraph(iGameScene* owner, int potionId, bool iconForm)
    : clsObjectRequired(owner), iconForm_(iconForm) {
    SetTypeCode(kPotionGraph);
    SetPotion(potionId);
    if (potionId == kFruitPotion) {
        sparkle_ = std::make_unique<clsAnimatedSprite>(owner);
        sparkle_->SetTexture(GetSceneTexture(kFruitSparkleTexture));
        sparkle_->AttachToPoint(GetSprite(), kFruitSparkleOffset);
        sparkle_->Play("DoAnim");
    }
}

clsPotionGraph::~clsPotionGraph() = default;

void clsPotionGraph::Update(float dt) {
    clsObjectRequired::Update(dt);
    if (sparkle_) sparkle_->Update(dt);
}

void clsPotionGraph::Draw() {
    clsObjectRequired::Draw();
    if (sparkle_) sparkle_->Draw();
}

TString clsPotionGraph::TextureName(int potionId, bool iconForm) {
    if (potionId == kFruitPotion) return kFruitTexture;
    if (potionId < 0 || potionId >= static_cast<int>(GetGameTables().potions.size())) return TString();
    return TString::Format("%spotion%d", iconForm ? "anim/potions/icons/" : "anim/potions/", potionId + 1);
}

bool clsPotionGraph::SetPotion(int potionId) {
    if (potionId == kNoPotion || !GetSprite()) return false;
    TString name = TextureName(potionId, iconForm_);
    std::shared_ptr<TTexture> texture = name.IsEmpty() ? nullptr : GetSceneTexture(name);
    if (!texture) return false;
    GetSprite()->SetTexture(texture);
    potionId_ = potionId;
    if (potionId == kFruitPotion)
        SetValue(kFruitValue);
    else
        SetValue(kValuePerIngredient * GetGameTables().potions[potionId].ingredientCount);
    return true;
}

bool clsPotionGraph::SetPotionIfChanged(int potionId) {
    return potionId == potionId_ || SetPotion(potionId);
}

void clsPotionGraph::SetSparkleVisible(bool visible) {
    if (sparkle_) sparkle_->SetVisible(visible);
}

void PreloadPotionAnims(iGameAssets& assets) {
    for (int n = 1; n <= kPotionPictures; ++n) assets.AddPreloadAnim(TString::Format("anim/potions/potion%d", n));
    assets.AddPreloadAnim(kFruitTexture);
    for (int n = 1; n <= kPotionPictures; ++n)
        assets.AddPreloadAnim(TString::Format("anim/potions/icons/potion%d", n));
    assets.AddPreloadAnim(kFruitSparkleTexture);
}
