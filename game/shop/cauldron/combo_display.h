// clsComboDisplay: the counter under a cauldron that shows how often in a row its potion has been
// brewed ("x3", or "max" at the limit) beside a small picture of the potion.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"

class TTextSprite;
class clsPotionGraph;
class clsSprite;
class iGameScene;

class clsComboDisplay {
public:
    static constexpr char kBackgroundTexture[] = "anim/cauldron/combo";

    // Shows "x" and "5" until told otherwise.
    clsComboDisplay(iGameScene* owner, const TVec2& position);
    ~clsComboDisplay();
    clsComboDisplay(const clsComboDisplay&) = delete;
    clsComboDisplay& operator=(const clsComboDisplay&) = delete;

    // "x" and the count, or "max" and no count at the limit.
    void ShowCount(int count, bool atLimit);
    // Replaces the potion picture by one of that potion.
    void SetPotion(int potionId);
    void SetVisible(bool visible) { visible_ = visible; }
    bool IsVisible() const { return visible_; }

    void Update(float dt);
    // Background, potion, then both texts; nothing while hidden.
    void Draw();

    const TVec2& GetPosition() const { return position_; }
    TString GetLabelText() const;
    TString GetCountText() const;
    clsPotionGraph* GetPotion() const { return potion_.get(); }

private:
    iGameScene* owner_;
    std::unique_ptr<clsSprite> background_;
    std::shared_ptr<TTextSprite> label_;
    std::shared_ptr<TTextSprite> count_;
    std::unique_ptr<clsPotionGraph> potion_;
    TVec2 position_;
    bool visible_ = true;
};
