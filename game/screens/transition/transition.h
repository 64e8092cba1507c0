// clsTransition: the screen change (the scripts' "TransitionWindow"). Every screen holds one; the
// window names itself "swtTransitionWindow" so that "StartFadeOut" finds it. Leaving a screen, five
// panels slide in one after the other until they stand side by side across the screen, the
// buttons disabled meanwhile; after a pause the next step of the flow runs (a script line, or a
// global script function by name) and the buttons come back. The transition window of the next
// screen sees that a closing transition came before and opens: the panels slide away, last first.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/core/base/clock.h"
#include "engine/core/files/asset.h"
#include "engine/ui/window.h"

class TSprite;

class clsTransition : public TWindow {
public:
    static constexpr int kPanelCount = 5;

    // Where the transition stands, as the probe field "transition" shows it.
    enum class Phase {
        kIdle,     // not started: nothing drawn
        kClosing,  // panels sliding in
        kClosed,   // all five in place, waiting before the end action
        kDone,     // the end action has run
        kOpening,  // panels sliding away
        kOpen,     // every panel gone
    };

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsTransition"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsTransition();
    ~clsTransition() override;

    // Names the window (kTransitionWindowName), makes the panels and opens when a closing
    // transition came before.
    void PostCreate(TWindowStyle& style) override;
    void Draw() override;
    // One frame; false once a closing transition has run its end action.
    bool OnAnimate() override;

    // A closing transition when code or functionName is given (the code wins at the end), else
    // an opening one.
    void Start(const TString& code, const TString& functionName);

    // True when the most recent start, of any transition window, was a closing one.
    static bool PrecededByClosing();
    static void SetPrecededByClosing(bool closing);

    Phase GetPhase() const { return phase_; }
    // The moving panel (0 to 4; other values: none drawn).
    int GetMovingPanel() const { return state_; }
    bool IsShown() const { return visible_; }
    // The panel's centre on the screen (x; y is always the screen's middle).
    float GetPanelX(int panel) const;

private:
    // The panel time and the closing pause, from the game data ("transitionTimeStep" and
    // "transitionTimeEnd"); a step that is not positive is taken as 1 ms.
    void ReadTimes();
    void PlacePanel(int panel, float x);
    // A closing transition reached the new state: every panel below it goes to its resting place;
    // from state 5 on all five rest and the pause starts.
    void ReachClosingState(int state);
    void MoveCurrentPanel();
    void RunEndAction();

    TAssetMap assets_;
    std::array<std::shared_ptr<TSprite>, kPanelCount> panels_;
    std::array<float, kPanelCount> baseX_{};
    int stepMs_ = 1;
    int endMs_ = 0;
    int state_ = -1;
    int lastState_ = -1;
    int elapsedMs_ = 0;  // closing: counts up; opening: counts down
    bool closing_ = false;
    bool finished_ = false;
    bool visible_ = false;
    Phase phase_ = Phase::kIdle;
    TClock clock_;
    uint32_t lastTimeMs_ = 0;
    TString code_;
    TString functionName_;
};
