// clsMagicBox: a box the heroine takes one of the level's ingredients from. A tutorial may attach a
// pointer (a marker) to it.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "game/shop/objects/basic_object.h"

class clsAnimatedSprite;
class clsIngredientGraph;
class clsObjectGraph;

class clsMagicBox : public clsBasicObject {
public:
    // boxParameter is kept for the creator (the shop passes 100); the box does not read it.
    clsMagicBox(iGameScene* owner, int ingredientId, int boxParameter);
    ~clsMagicBox() override;

    // The ingredient, then the marker.
    void Update(float dt) override;
    // The ingredient, then the visible marker, added to what is under it.
    void Draw() override;

    // Inside the ingredient's screen rectangle (the right and bottom edges outside).
    bool HitTest(TPoint point) const;
    void SetPosition(float x, float y);
    // Takes the marker, which then follows the ingredient at (dx, dy).
    void AttachMarker(clsAnimatedSprite* marker, float dx, float dy, bool visible);
    void SetMarkerVisible(bool visible);

    int GetIngredientId() const { return ingredientId_; }
    int GetBoxParameter() const { return boxParameter_; }
    clsIngredientGraph* GetIngredient() const { return ingredient_; }
    clsAnimatedSprite* GetMarker() const { return marker_.get(); }

private:
    clsIngredientGraph* ingredient_;  // owned; handed to the scene's deletion with the box
    int ingredientId_;
    int boxParameter_;
    std::unique_ptr<clsAnimatedSprite> marker_;
};

// The half-open test on a scene sprite's screen rectangle; false for no sprite.
bool SpriteRectContains(const clsObjectGraph* sprite, TPoint point);
