// clsMagicBookPaper: the panel under the recipe book. It shows the potion the player chose (with
// stars while the choice is open) and, when the player clicks a cauldron, sends the order there on a
// paper that flies to it.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "engine/core/base/maths.h"

class iGameAssets;
class iGameScene;
class clsAnimatedSprite;
class clsObjectGraph;
class clsPotionGraph;

class clsMagicBookPaper {
public:
    enum StarsState {
        kStarsDelivered = 0,  // an order has just left; the next choice makes them ready again
        kStarsShown = 1,
        kStarsHidden = 2,  // also the state of a new panel, so the first choice shows them
    };
    static constexpr float kPaperSpeed = 900.0f;

    clsMagicBookPaper(iGameScene* owner, float x, float y);
    ~clsMagicBookPaper();
    clsMagicBookPaper(const clsMagicBookPaper&) = delete;
    clsMagicBookPaper& operator=(const clsMagicBookPaper&) = delete;

    // Moves the panel; the potion sits at (x + 49, y + 109.5).
    void SetPosition(float x, float y);
    // Inside the panel's hit rectangle (the right and bottom edges outside).
    bool HitTest(TPoint point) const;
    // After a delivery the stars are ready to show again on the next choice.
    void PrepareStars();
    // Shows potion n (n >= 0); the stars go out.
    void SelectPotion(int n);
    // Shows (true) or hides the stars around the chosen potion.
    void SetOpen(bool open);
    // Sends the chosen potion to target: the paper appears and, when its animation ends, flies there.
    // Nothing happens without a target, for a released one or while no potion is shown.
    void SendToTarget(clsObjectGraph* target);
    // The scene reports an ended animation; true when it was the paper's (which then flies).
    bool OnAnimationEnded(clsAnimatedSprite* sprite);
    // The scene reports an ended move; hides the paper when it was the paper's.
    void HidePaper(clsObjectGraph* sprite);
    // Stars, potion and paper; the chosen potion leaves with the paper.
    void Update(float dt);
    // The paper, the stars (added to what is under them), the potion.
    void Draw();

    const TRect& GetHitRect() const { return hitRect_; }
    const TVec2& GetPosition() const { return position_; }
    int GetStarsState() const { return starsState_; }
    int GetOrderedPotion() const { return orderedPotion_; }
    clsObjectGraph* GetTarget() const { return target_; }
    clsAnimatedSprite& GetStars() const { return *stars_; }
    clsAnimatedSprite& GetPaper() const { return *paper_; }
    clsPotionGraph& GetPotion() const { return *potion_; }

private:
    void HideStars();

    TVec2 position_;
    TRect hitRect_;
    std::unique_ptr<clsAnimatedSprite> stars_;
    clsPotionGraph* potion_;  // owned; handed to the scene's deletion with the panel
    std::unique_ptr<clsAnimatedSprite> paper_;
    clsObjectGraph* target_ = nullptr;  // not owned
    int orderedPotion_ = -1;
    int starsState_ = kStarsHidden;
};

void PreloadMagicBookAnims(iGameAssets& assets);
