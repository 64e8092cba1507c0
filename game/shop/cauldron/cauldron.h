// clsCauldron: a pot on the shop floor in which the heroine brews potions. A brew asks for the
// recipe's ingredients in a thought balloon, waits for its fire once every ingredient is in, boils
// while its bar fills and hands the finished potion to the scene. Brewing the same potion again and
// again builds a combo that shortens the boil.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "game/shop/objects/basic_object.h"

class clsAnimatedSprite;
class clsComboDisplay;
class clsIngredientGraph;
class clsPotionGraph;
class clsStatusBar;
class iGameAssets;

class clsCauldron : public clsBasicObject {
public:
    enum State {
        kRequesting = 1,  // the balloon asks for the recipe's ingredients
        kIdle = 2,
        kReadyForFire = 4,  // every ingredient is in
        kBoiling = 5,
    };

    // level 1 to 3 (the upgrade bought in the bazaar); any other level looks and boils as level 1.
    clsCauldron(int level, iGameScene* owner, const TVec2& position);
    // Stops the boiling sound.
    ~clsCauldron() override;

    void Update(float dt) override;
    void Draw() override;
    virtual void SetPosition(float x, float y);
    // Moves the cauldron with its parts and its zones.
    virtual void SetPositionV(const TVec2& position);

    // The shop's calls, in the order of a brew.
    // In the idle state only: asks for the potion's ingredients; the combo grows when the potion is
    // the last one brewed and is reset otherwise.
    void StartPotion(int potionId);
    // While requesting: the last requested icon of that ingredient leaves the balloon; when none is
    // left the fire icon shows. The second argument is not used.
    void AddIngredient(int ingredientId, bool);
    // Hides the balloon and its fire icon (the heroine starts the fire).
    void HideBalloon();
    // Starts boiling: its bar runs the level's boiling time, shortened by the combo.
    void Ignite();
    // The heroine empties a requesting, ready or idle cauldron: the brew and its combo are gone.
    void Empty();
    // The mouse is over the mouth: while boiling, the brewing overlay and the potion show.
    void SetHighlight(bool on);
    void SetLoopSound(int index);
    // Pauses or resumes the boiling sound when it plays.
    void PauseLoopSound(bool pause);

    int GetIngredientCount() const { return static_cast<int>(icons_.size()); }
    // The id of the icon at index; -1 outside the list or when it was delivered.
    int GetIngredientId(int index) const;
    // The last icon of that ingredient; null when there is none.
    clsIngredientGraph* FindIngredient(int ingredientId) const;

    // Set by Empty and by the shop when the heroine lights the fire, cleared by StartPotion: a busy
    // cauldron is not emptied.
    bool IsBusy() const { return busy_; }
    void SetBusy() { busy_ = true; }

    int GetState() const { return state_; }
    int GetLevel() const { return level_; }
    int GetComboCount() const { return comboCount_; }
    int GetLastPotion() const { return lastPotion_; }
    const TRect& GetMouthZone() const { return mouthZone_; }
    const TRect& GetEmptyZone() const { return emptyZone_; }
    const TRect& GetFireZone() const { return fireZone_; }
    const TString& GetLoopSoundName() const { return loopSoundName_; }
    bool IsLoopSoundPlaying() const { return loopPlaying_; }
    clsAnimatedSprite* GetBody() const { return body_.get(); }
    clsAnimatedSprite* GetBalloon() const { return balloon_.get(); }
    clsAnimatedSprite* GetFireIcon() const { return fireIcon_.get(); }
    clsAnimatedSprite* GetBrewingOverlay() const { return brewingOverlay_.get(); }
    clsAnimatedSprite* GetFireEffect() const { return fireEffect_.get(); }
    clsPotionGraph* GetPotion() const { return potion_.get(); }
    clsStatusBar* GetProgressBar() const { return progressBar_.get(); }
    clsComboDisplay* GetComboDisplay() const { return comboDisplay_.get(); }
    clsIngredientGraph* GetIcon(int index) const { return icons_.at(static_cast<size_t>(index)).get(); }

private:
    void PlayStand();
    void PlayRequest();
    void CountCombo(int potionId);
    void FillIngredients();
    void ArrangeIcons();
    void CheckAllDelivered();
    void StartBoiling();
    // The bar has run out: the potion goes to the scene and the cauldron is idle again.
    void FinishBrew();
    void HandOverPotion();
    void PlayOnBody(const TString& texture);

    int level_;
    bool busy_ = false;
    TString animationPrefix_;
    std::unique_ptr<clsPotionGraph> potion_;
    std::vector<std::unique_ptr<clsIngredientGraph>> icons_;
    int lastPotion_ = -1;
    int comboCount_ = 0;
    std::unique_ptr<clsComboDisplay> comboDisplay_;
    int state_ = 0;
    TRect mouthZone_;
    TRect emptyZone_;
    TRect fireZone_;
    std::unique_ptr<clsStatusBar> progressBar_;
    std::unique_ptr<clsAnimatedSprite> brewingOverlay_;
    std::unique_ptr<clsAnimatedSprite> fireIcon_;
    std::unique_ptr<clsAnimatedSprite> balloon_;
    std::unique_ptr<clsAnimatedSprite> body_;
    std::unique_ptr<clsAnimatedSprite> fireEffect_;
    TString loopSoundName_;
    bool loopPlaying_ = false;
};

// The three cauldron looks of each level, the overlay, fire icon, bar, balloon, combo and effects,
// and the boiling and finishing sounds.
void PreloadCauldronAnims(iGameAssets& assets);
// The digits the shop shows over its objects.
void PreloadNumberAnims(iGameAssets& assets);
