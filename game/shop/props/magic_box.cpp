#include "game/shop/props/magic_box.h"

#include "game/shop/items/ingredient_graph.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/props/additive_draw.h"

clsMagicBox::clsMagicBox(iGameScene* owner, int ingredientId, int boxParameter)
    : clsBasicObject(owner),
      ingredient_(new clsIngredientGraph(owner, ingredientId, clsIngredientGraph::kBox)),
      ingredientId_(ingredientId),
      boxParameter_(boxParameter) {}

clsMagicBox::~clsMagicBox() {
    ingredient_->Destroy();
}

void clsMagicBox::Update(float dt) {
    ingredient_->Update(dt);
    if (marker_) marker_->Update(dt);
}

void clsMagicBox::Draw() {
    ingredient_->Draw();
    if (marker_ && marker_->IsVisible()) DrawAdditive(*marker_);
}

bool clsMagicBox::HitTest(TPoint point) const {
    return SpriteRectContains(ingredient_->GetIcon(), point);
}

void clsMagicBox::SetPosition(float x, float y) {
    if (clsSprite* icon = ingredient_->GetIcon()) icon->SetPosition(x, y);
}

void clsMagicBox::AttachMarker(clsAnimatedSprite* marker, float dx, float dy, bool visible) {
    marker_.reset(marker);
    if (!marker_) return;
    if (clsSprite* icon = ingredient_->GetIcon()) marker_->AttachTo(icon, dx, dy);
    marker_->SetVisible(visible);
}

void clsMagicBox::SetMarkerVisible(bool visible) {
    if (marker_) marker_->SetVisible(visible);
}

bool SpriteRectContains(const clsObjectGraph* sprite, TPoint point) {
    if (!sprite) return false;
    return sprite->GetWorldRect().Contains(point);
}
