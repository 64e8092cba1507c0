#include "game/shop/items/ingredient_graph.h"

#include "game/data/game_tables.h"
#include "game/shop/objects/game_scene.h"

namespace {

constexpr char kSparkleTexture[] = "anim/ingredients/fx_takeitem";
const TVec2 kSparkleOffset{-2.0f, 5.0f};
constexpr char kLastBoxLetter = 'j';
constexpr char kLastScrollLetter = 'k';

}  // namespace

clsIngredientGraph* clsBasicObject::AsIngredientGraph() {
    return GetTypeCode() == kIngredientGraph ? static_cast<clsIngredientGraph*>(this) : nullptr;
}

clsIngredientGraph::clsIngredientGraph(iGameScene* owner, int ingredientId, int displayKind)
    : clsBasicObject(owner), ingredientId_(ingredientId), displayKind_(displayKind) {
    SetTypeCode(kIngredientGraph);
    CreateSprite();
    if (icon_) icon_->SetHolder(this);
}

clsIngredientGraph::~clsIngredientGraph() = default;

void clsIngredientGraph::CreateSprite() {
    bool knownId = ingredientId_ >= 0 && ingredientId_ <= GetGameTables().numberOfIngredients;
    const char* kind = displayKind_ == kScroll ? "_scroll" : displayKind_ == kBox ? "_box" : nullptr;
    if (!knownId || !kind) return;
    icon_ = std::make_unique<clsSprite>(GetOwner());
    icon_->SetTexture(GetSceneTexture(TString::Format("anim/ingredients/ingredient%s_%c", kind, 'a' + ingredientId_)));
    if (!IsPhoenixIngredient()) return;
    sparkle_ = std::make_unique<clsAnimatedSprite>(GetOwner());
    sparkle_->SetTexture(GetSceneTexture(kSparkleTexture));
    sparkle_->AttachToPoint(icon_.get(), kSparkleOffset);
    sparkle_->Play("DoAnim");
}

void clsIngredientGraph::Destroy() {
    clsAnimatedSprite* sparkle = sparkle_.release();
    clsSprite* icon = icon_.release();
    if (icon) icon->SetHolder(nullptr);
    clsBasicObject::Destroy();  // without an owner the graph is gone from here on
    if (sparkle) sparkle->Destroy();
    if (icon) icon->Destroy();
}

void clsIngredientGraph::Update(float dt) {
    if (icon_) icon_->Update(dt);
    if (sparkle_) sparkle_->Update(dt);
}

void clsIngredientGraph::Draw() {
    if (sparkle_) sparkle_->Draw();
    if (icon_) icon_->Draw();
}

void clsIngredientGraph::SetVisible(bool visible) {
    visible_ = visible;
    if (sparkle_) sparkle_->SetVisible(visible);
    if (icon_) icon_->SetVisible(visible);
}

void PreloadIngredientAnims(iGameAssets& assets) {
    for (char letter = 'a'; letter <= kLastBoxLetter; ++letter)
        assets.AddPreloadAnim(TString::Format("anim/ingredients/ingredient_box_%c", letter));
    for (char letter = 'a'; letter <= kLastScrollLetter; ++letter)
        assets.AddPreloadAnim(TString::Format("anim/ingredients/ingredient_scroll_%c", letter));
    assets.AddPreloadAnim(kSparkleTexture);
}
