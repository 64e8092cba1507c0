// clsTutorial: what every shop tutorial carries beside its shop screen: the step it is at, the pause
// before the next step shows, where the message panel goes and whether it shows its continue button,
// the overlay that fades at the start, the pointer arrow and the mark, and the screen's buttons.
//
// A tutorial walks through numbered steps in two halves. UpdateStep runs every frame: once the pause
// is over it shows the current step (its message through the script function "showWizardMessage",
// its pointers, the clicks it allows) and mostly moves on to the next step, which waits for the
// player. tutorialNextState is the answer: the scripts call it when the player has pressed the
// panel's continue button or has done what the step asked ("onWizardContinue()"); it sets the pause
// and panel of the next message and moves on. The last step calls finalizeTutorial.
//
// clsTutorialScreen (tutorial_screen.h) puts this beside the shop screen; each tutorial derives from
// it and fills in its two step tables.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "engine/ui/window_spider.h"

class TImage;
class TWindow;
class clsAnimatedSprite;
class iGameAssets;
class iGameScene;

class clsTutorial {
public:
    // The step at which the default finalizeTutorial leaves the machine: no step table has it.
    static constexpr int kStandStill = 30;

    virtual ~clsTutorial();
    clsTutorial(const clsTutorial&) = delete;
    clsTutorial& operator=(const clsTutorial&) = delete;

    // The advance half of the current step; the answer goes back to the script.
    virtual bool tutorialNextState() = 0;
    // Once a frame (dt in seconds): waits out the pause, then the show half of the current step.
    virtual void UpdateStep(float dt) = 0;
    // The buttons hide, the pointers go and the steps stand still.
    virtual void finalizeTutorial();

    int GetStep() const { return step_; }
    float GetPauseSeconds() const { return pauseSeconds_; }
    TPoint GetPanelPosition() const { return panel_; }
    bool GetContinueFlag() const { return continue_; }
    const TString& GetTextPrefix() const { return textPrefix_; }
    TImage* GetOverlay() const { return overlay_; }
    clsAnimatedSprite* GetArrow() const { return arrow_.get(); }
    clsAnimatedSprite* GetMark() const { return mark_.get(); }
    const std::vector<TWindow*>& GetButtons() const { return buttons_; }
    void AddButton(TWindow* button) { buttons_.push_back(button); }

    // The arrow's and the mark's pictures, for the loading screen.
    static void PreloadPointers(iGameAssets& assets);

protected:
    // scene: the screen whose clock and pictures the pointers use; textPrefix: the message labels'
    // prefix ("tutorialGame" for "tutorialGame1", ...).
    clsTutorial(iGameScene* scene, const char* textPrefix);

    void SetStep(int step) { step_ = step; }
    void NextStep() { ++step_; }
    void SetPause(float seconds) { pauseSeconds_ = seconds; }
    void SetPanel(int x, int y) { panel_ = TPoint{x, y}; }
    void SetContinue(bool shown) { continue_ = shown; }
    // Lowers the pause by dt while it runs; true while it ran (the pause may end below zero).
    bool WaitPause(float dt);
    // Step 0: the overlay fades out over a second; true once it has gone, or when there is none.
    bool FadeOverlay(float dt);
    // Finds the overlay "OverlayWindow" anywhere under the root, and collects the screen's buttons.
    void FindOverlayAndButtons(TWindow& screen);

    // Runs "showWizardMessage('<prefix><n>', '<continue>', '<x>, <y>')".
    void ShowStepMessage(int n);
    // A new arrow (or mark) at (x, y); the one shown before goes.
    clsAnimatedSprite& ShowArrow(float x, float y);
    clsAnimatedSprite& ShowMark(float x, float y);
    void RemoveArrow();
    void RemovePointers();
    void SetButtonsHidden(bool hide);
    // Sends every button out of sight, below the screen.
    void MoveButtonsAway();
    void UpdatePointers(float dt);
    // The arrow, then the mark, which adds its light.
    void DrawPointers();

private:
    std::unique_ptr<clsAnimatedSprite> MakePointer(const char* texture, const char* action, float x, float y);

    iGameScene* scene_;
    float pauseSeconds_ = 0.0f;
    TPoint panel_{0, 0};
    bool continue_ = false;
    TImage* overlay_ = nullptr;
    std::unique_ptr<clsAnimatedSprite> arrow_;
    std::unique_ptr<clsAnimatedSprite> mark_;
    TString textPrefix_;
    int step_ = 0;
    std::vector<TWindow*> buttons_;
};

// Hands every button among the windows it visits to the tutorial's button list.
class clsTutorHelperSpider : public TWindowSpider {
public:
    explicit clsTutorHelperSpider(clsTutorial* tutorial) : tutorial_(tutorial) {}
    bool Visit(TWindow* window) override;

private:
    clsTutorial* tutorial_;
};
