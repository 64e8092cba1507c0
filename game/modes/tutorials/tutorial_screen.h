// clsTutorialScreen: a shop level played as a tutorial. The level is built as usual and the heroine
// works as usual, but the day's clock stands still, no customer comes but those the steps send, and
// the player may click only what the current step allows. What the shop tutorials share lives here:
// the set-up, the overlay and the buttons, the frame, the pointers' drawing, the script functions
// "tutorialNextState" and "finalizeTutorial", and the probe fields "tutorial" (the current step) and
// "arrow" ("none", "appearing" or "shown").
//
// A tutorial derives from it and gives its step tables (UpdateStep, tutorialNextState), its hover
// test (FindHover, with the shop's Hover* tests), its click rules (OnMouseDown, with
// QueueHoverOrder), its end (finalizeTutorial) and the shop hooks it listens to.
#pragma once

#include "game/modes/tutorials/tutorial.h"
#include "game/screens/scripting/script_functions.h"
#include "game/shop/screen/shop_game.h"

class clsTutorialScreen : public clsShopGame, public clsTutorial {
public:
    ~clsTutorialScreen() override;

    // The shop's set-up; then the player is not yet inside the game (the overlay still fades), the
    // script hears "playAnimationBook('', '')" and the heroine stands at her start.
    void Init(TWindowStyle& style) override;
    // The overlay and the buttons; the buttons hide until the overlay has gone unless the tutorial
    // keeps them.
    void PostCreate(TWindowStyle& style) override;
    // The tutorial's frame: the time is not capped, the clock stands still, only the steps bring
    // customers.
    bool OnAnimate() override;
    // The arrow and the mark over the shop.
    void PostDraw() override;
    // Orders are not called off, there is no pause key, and the day never ends by itself.
    bool OnMouseButton(TPoint point, int code) override { return false; }
    bool OnKeyDown(uint8_t key, int modifiers) override { return false; }
    void EndLevel(bool won) override {}

protected:
    struct Options {
        const char* textPrefix;  // the message labels' prefix
        TVec2 heroineStart;
        bool hidesButtons;       // the buttons hide until the overlay has gone
        MovingParts movingParts;  // the furniture the frame moves besides the shelf and the bucket
        bool movesRadaduvoz;
    };
    explicit clsTutorialScreen(const Options& options);

    // Step 0's show half: the overlay fades; then the player is inside the game, the step is 1, the
    // buttons show (for a tutorial that hid them) and tutorialNextState sets up the first message.
    void StartWhenOverlayGone(float dt);
    // After the shop's customers have had their frame (the tutorials watch them here).
    virtual void OnCustomersUpdated() {}
    // The end of every shop tutorial: the player out of the game, the shop over (it ignores the
    // mouse, and "tutorialNextState" answers true), the music stopped and "onEndTutorial()".
    void LeaveShop();
    // The binding of "onPotionSelected", for the tutorials that answer it.
    template <class Tutorial>
    void BindPotionSelected(Tutorial* tutorial, void (Tutorial::*method)(int)) {
        functions_.Bind("onPotionSelected", tutorial, method);
    }
    // Once the shop is over "tutorialNextState" answers true and changes nothing.
    bool IsOver() const { return GetState() == kFinishing; }

private:
    Options options_;
    ScriptFunctions functions_;
};
