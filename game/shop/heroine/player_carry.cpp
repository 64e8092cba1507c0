// The heroine's stack of carried items: taking, laying out, removing and handing over.
#include <algorithm>

#include "game/shop/heroine/player.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"

namespace {

constexpr int kIngredientValue = 15;
constexpr float kCarriedArtifactScale = 0.7f;
constexpr int kTakeBobbingMs = 500;
constexpr float kTakeBobbingFactor = 0.1f;

// The picture that shows the item: an ingredient's icon, a potion's or an artifact's sprite.
clsObjectGraph* DisplayOf(clsBasicObject& item) {
    if (clsIngredientGraph* ingredient = item.AsIngredientGraph()) return ingredient->GetIcon();
    if (clsPotionGraph* potion = item.AsPotionGraph()) return potion->GetSprite();
    if (clsArtifact* artifact = item.AsArtifact()) return artifact->GetSprite();
    return nullptr;
}

float HalfHeight(const clsObjectGraph* display) {
    return static_cast<float>(display->GetHeight()) * 0.5f;
}

}  // namespace

bool clsPlayer::TakeIngredient(int ingredientId) {
    auto ingredient = std::make_unique<clsIngredientGraph>(GetOwner(), ingredientId, clsIngredientGraph::kScroll);
    if (!ingredient->GetIcon()) return false;
    return Take(std::move(ingredient));
}

void clsPlayer::TakePotion(int potionId) {
    Take(std::make_unique<clsPotionGraph>(GetOwner(), potionId, true));
}

void clsPlayer::TakeArtifact(int artifactId) {
    auto artifact = std::make_unique<clsArtifact>(GetOwner(), artifactId, clsArtifact::kReady);
    clsObjectGraph* display = artifact->GetSprite();
    Take(std::move(artifact));
    display->SetScale(kCarriedArtifactScale);
}

// On top of the stack, with the take sparkle.
bool clsPlayer::Take(std::unique_ptr<clsBasicObject> item) {
    clsObjectGraph* display = DisplayOf(*item);
    TVec2 offset = NextCarryPosition(display, carried_.size());
    display->AttachToPoint(GetBody(), offset);
    carried_.push_back({std::move(item), display, offset});
    PlayTakeEffect(display);
    return true;
}

void clsPlayer::PlayTakeEffect(clsObjectGraph* display) {
    if (carried_.size() == 1) RefreshAnimation();
    auto effect = std::make_unique<clsAnimatedSprite>(GetOwner());
    effect->SetTexture(effect->GetSceneTexture(kTakeEffectTexture));
    effect->AttachTo(display, 0, 0);
    effect->Play("DoAnim");
    takeEffects_.push_back(std::move(effect));
    display->StartBobbing(kTakeBobbingMs, kTakeBobbingFactor);
}

// The first item sits at the carry anchor; each further one stands on the one below it, their
// centres half a height plus half a height apart.
TVec2 clsPlayer::NextCarryPosition(const clsObjectGraph* display, size_t count) const {
    if (count == 0) return carryAnchor_;
    const CarriedItem& below = carried_[count - 1];
    return TVec2(carryAnchor_.x, below.offset.y - (HalfHeight(below.display) + HalfHeight(display)));
}

void clsPlayer::LayOutCarried() {
    for (size_t index = 0; index < carried_.size(); ++index) {
        CarriedItem& item = carried_[index];
        item.offset = NextCarryPosition(item.display, index);
        item.display->AttachToPoint(GetBody(), item.offset);
    }
}

void clsPlayer::TidyCarried() {
    std::erase_if(takeEffects_, [this](const std::unique_ptr<clsAnimatedSprite>& effect) {
        return std::none_of(carried_.begin(), carried_.end(),
                            [&](const CarriedItem& item) { return item.display == effect->GetParent(); });
    });
    LayOutCarried();
}

template <class Match>
size_t clsPlayer::FindFromTop(Match match) const {
    for (size_t index = carried_.size(); index-- > 0;)
        if (match(*carried_[index].item)) return index;
    return carried_.size();
}

// The item goes to the scene's release queue; its sparkle goes with the tidying.
void clsPlayer::DestroyCarried(size_t index) {
    carried_[index].display->StopBobbing();
    clsBasicObject* item = carried_[index].item.release();
    carried_.erase(carried_.begin() + static_cast<std::ptrdiff_t>(index));
    item->Destroy();
    TidyCarried();
}

template <class Match>
bool clsPlayer::RemoveTopMost(Match match) {
    size_t index = FindFromTop(match);
    if (index == carried_.size()) return false;
    DestroyCarried(index);
    return true;
}

bool clsPlayer::RemoveCarriedIngredient(int ingredientId) {
    return RemoveTopMost([&](clsBasicObject& item) {
        clsIngredientGraph* ingredient = item.AsIngredientGraph();
        return ingredient && ingredient->GetIngredientId() == ingredientId;
    });
}

bool clsPlayer::RemoveCarriedPotion(int potionId) {
    return RemoveTopMost([&](clsBasicObject& item) {
        clsPotionGraph* potion = item.AsPotionGraph();
        return potion && potion->GetPotionId() == potionId;
    });
}

bool clsPlayer::RemoveCarriedArtifact(int artifactId, bool keepUsed) {
    size_t index = FindFromTop([&](clsBasicObject& item) {
        clsArtifact* artifact = item.AsArtifact();
        return artifact && artifact->GetArtifactId() == artifactId;
    });
    if (index == carried_.size()) return false;
    if (keepUsed && carried_[index].item->AsArtifact()->GetState() != clsArtifact::kReady) return false;
    DestroyCarried(index);
    return true;
}

bool clsPlayer::RemoveCarriedObject(clsBasicObject* object, bool keepUsed) {
    if (clsPotionGraph* potion = object ? object->AsPotionGraph() : nullptr)
        return RemoveCarriedPotion(potion->GetPotionId());
    if (clsArtifact* artifact = object ? object->AsArtifact() : nullptr)
        return RemoveCarriedArtifact(artifact->GetArtifactId(), keepUsed);
    return false;
}

bool clsPlayer::RemoveCarried(clsBasicObject* item) {
    return RemoveTopMost([&](clsBasicObject& carried) { return &carried == item; });
}

bool clsPlayer::RemoveLastCarried() {
    if (carried_.empty()) return false;
    DestroyCarried(carried_.size() - 1);
    return true;
}

clsPotionGraph* clsPlayer::TakeOutPotion() {
    size_t index = FindFromTop([](clsBasicObject& item) { return item.AsPotionGraph() != nullptr; });
    if (index == carried_.size()) return nullptr;
    carried_[index].display->StopBobbing();
    carried_[index].display->Detach();
    auto* potion = static_cast<clsPotionGraph*>(carried_[index].item.release());
    carried_.erase(carried_.begin() + static_cast<std::ptrdiff_t>(index));
    TidyCarried();
    return potion;
}

// The sparkles first: they follow the items' pictures.
void clsPlayer::ClearCarried() {
    takeEffects_.clear();
    carried_.clear();
}

bool clsPlayer::IsCarryingIngredient(int ingredientId) const {
    return std::any_of(carried_.begin(), carried_.end(), [&](const CarriedItem& carried) {
        clsIngredientGraph* ingredient = carried.item->AsIngredientGraph();
        return ingredient && ingredient->GetIngredientId() == ingredientId;
    });
}

int clsPlayer::CountCarriedIngredients() const {
    return static_cast<int>(std::count_if(carried_.begin(), carried_.end(),
                                          [](const CarriedItem& carried) { return carried.item->AsIngredientGraph(); }));
}

int clsPlayer::CountCarriedPotions() const {
    return static_cast<int>(std::count_if(carried_.begin(), carried_.end(),
                                          [](const CarriedItem& carried) { return carried.item->AsPotionGraph(); }));
}

clsBasicObject* clsPlayer::GetCarriedItem(int index) const {
    return index >= 0 && index < GetNumCarriedItems() ? carried_[static_cast<size_t>(index)].item.get() : nullptr;
}

TVec2 clsPlayer::GetCarriedOffset(int index) const {
    return carried_.at(static_cast<size_t>(index)).offset;
}

int clsPlayer::GetCarriedItemValue(int index) const {
    clsBasicObject* item = GetCarriedItem(index);
    if (!item) return 0;
    if (item->AsIngredientGraph()) return kIngredientValue;
    if (clsPotionGraph* potion = item->AsPotionGraph()) return potion->GetValue();
    if (clsArtifact* artifact = item->AsArtifact()) return artifact->GetValue();
    return 0;
}
