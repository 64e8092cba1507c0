// clsPotionGraph: a potion bottle (or its small icon), or the plant's fruit carried as a potion
// (id kFruitPotion, with a sparkle). A potion is worth 15 per ingredient, the fruit 60.
#pragma once

#include "game/shop/items/object_required.h"

class iGameAssets;

class clsPotionGraph : public clsObjectRequired {
public:
    static constexpr int kNoPotion = -1;
    static constexpr int kFruitPotion = -1000;

    clsPotionGraph(iGameScene* owner, int potionId, bool iconForm);
    ~clsPotionGraph() override;

    // The bottle, then the fruit's sparkle.
    void Update(float dt) override;
    void Draw() override;

    // Shows that potion and takes its value; false, changing nothing, for kNoPotion or a potion
    // without a picture.
    bool SetPotion(int potionId);
    // True at once when the potion is already shown.
    bool SetPotionIfChanged(int potionId);
    void SetSparkleVisible(bool visible);

    int GetPotionId() const { return potionId_; }
    bool IsIconForm() const { return iconForm_; }
    clsAnimatedSprite* GetSparkle() const { return sparkle_.get(); }

    // The bottle picture of a potion: "anim/potions/potion3" (or ".../icons/potion3") for id 2, the
    // fruit's for kFruitPotion; empty for any other id.
    static TString TextureName(int potionId, bool iconForm);

private:
    int potionId_ = kNoPotion;
    bool iconForm_;
    std::unique_ptr<clsAnimatedSprite> sparkle_;
};

// The potion pictures, both forms, the fruit and its sparkle.
void PreloadPotionAnims(iGameAssets& assets);
