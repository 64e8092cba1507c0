// clsIngredientGraph: an ingredient shown as a scroll or a box. Ingredient ids 0..10 are the letters
// 'a'..'k'; 10 is the phoenix's ingredient, which sparkles.
#pragma once

#include <memory>

#include "game/shop/objects/scene_sprite.h"

class iGameAssets;

class clsIngredientGraph : public clsBasicObject {
public:
    enum DisplayKind { kScroll = 0, kBox = 1 };
    static constexpr int kPhoenixIngredient = 10;

    // Without a picture for the id or the kind the graph has no icon (and draws nothing).
    clsIngredientGraph(iGameScene* owner, int ingredientId, int displayKind);
    ~clsIngredientGraph() override;

    // Hands the graph, then its sparkle and icon, to the scene's deletion.
    void Destroy() override;
    // The icon, then the sparkle.
    void Update(float dt) override;
    // The sparkle under the icon.
    void Draw() override;

    void SetVisible(bool visible);
    bool IsVisible() const { return visible_; }
    bool IsPhoenixIngredient() const { return ingredientId_ == kPhoenixIngredient; }
    int GetIngredientId() const { return ingredientId_; }
    int GetDisplayKind() const { return displayKind_; }
    clsSprite* GetIcon() const { return icon_.get(); }
    clsAnimatedSprite* GetSparkle() const { return sparkle_.get(); }

private:
    void CreateSprite();

    bool visible_ = true;
    int ingredientId_;
    int displayKind_;
    std::unique_ptr<clsSprite> icon_;
    std::unique_ptr<clsAnimatedSprite> sparkle_;
};

// The boxes 'a'..'j', the scrolls 'a'..'k' and the phoenix ingredient's sparkle.
void PreloadIngredientAnims(iGameAssets& assets);
