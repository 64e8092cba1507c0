// clsFxWindow: the base of the game's animated panel dialogs. It animates itself every 16 ms on its
// window clock, offers its subclasses four hooks (create, per-frame update, draw, post-draw), can own
// particle effects (it is their iParticleFx owner) and runs an elastic entry transition of one of its
// child windows: a slide in from one side that bounces around its place with ever shorter, smaller
// legs, or a zoom. It has no window type of its own; its subclasses are registered.
#pragma once

#include <cstdint>

#include "engine/ui/window.h"
#include "game/shop/motion/move_event.h"
#include "game/shop/motion/time_driver.h"
#include "game/shop/particles/particle_fx.h"

// The time of the window's animation clock in ms (the application's timer before it has one).
uint32_t WindowAnimTimeMs(TWindow& window);

class clsFxWindow : public TWindow, public iParticleFx, public iMoveEvent {
public:
    // What a transition does with its target; the numbers are those the dialogs pass.
    enum TransitionCode {
        kRandomSlideIn = 1,  // replaced by one of the four slide-ins
        kSlideInLeft = 2,
        kSlideInRight = 3,
        kSlideInTop = 4,
        kSlideInBottom = 5,
        kZoomIn = 6,         // from size 0
        kZoomDown = 7,       // from double size
        kSlideOutLeft = 8,
        kSlideOutRight = 9,
        kSlideOutTop = 10,
        kSlideOutBottom = 11,
        kZoomOut = 12,       // to size 0
        kZoomUp = 13,        // to double size
    };
    // The entry every panel dialog runs on its child "BackGround".
    static constexpr float kPanelElasticity = 0.3f;
    static constexpr int kPanelFactor = 400;
    // Each bounce leg shrinks the overshoot by this factor; below the last one the target rests.
    static constexpr float kElasticityDecay = 0.8f;
    static constexpr float kRestElasticity = 0.05f;

    clsFxWindow();
    ~clsFxWindow() override;

    // Window init, the 16 ms animation, OnFxCreate, then the clock's time as the last frame's.
    void Init(TWindowStyle& style) override;
    // OnFxDraw (OnFxPostDraw) then the window's own drawing, inside a 2-D bracket.
    void Draw() override;
    void PostDraw() override;
    // Redraw, OnFxUpdate and the transition, by the clock's time since the last frame.
    bool OnAnimate() override;

    // Starts a transition of target (a child window; null does nothing): the first leg lasts
    // trunc(elasticity x factor) ms; the target jumps to its start at once.
    void StartSlideTransition(TWindow* target, int code, float elasticity, int factor);
    // The panel entry: a random slide-in of the child "BackGround" with 0.3 and 400.
    void StartPanelEntry();
    // Puts the target at its rest place (or size); the transition calls it when it has settled.
    // Dialogs extend it to start what waits for the panel.
    virtual void PlaceAtRest();

    void OnMoveStep(clsTimeDriver* driver, float value, int elapsedMs) override;
    void OnMoveEnd(clsTimeDriver* driver) override;

    int GetTransitionCode() const { return code_; }
    float GetElasticity() const { return elasticity_; }
    int GetLegDurationMs() const { return legMs_; }
    TWindow* GetTransitionTarget() const { return target_; }

protected:
    virtual void OnFxCreate() {}
    virtual void OnFxUpdate(int elapsedMs) {}
    virtual void OnFxDraw() {}
    virtual void OnFxPostDraw() {}

private:
    uint32_t NowMs() { return WindowAnimTimeMs(*this); }
    // The code 1 draw: one of the four slide-ins, from a generator seeded with the clock's time.
    int DrawSlideIn();
    // The target's coordinate (or size factor) that the code moves.
    float CurrentValue() const;

    clsTimeDriver driver_;
    uint32_t lastTimeMs_ = 0;
    TWindow* target_ = nullptr;  // a child; not owned
    int targetWidth_ = 0;        // the target's size when the transition started
    int targetHeight_ = 0;
    int code_ = 0;
    float elasticity_ = 0.0f;
    int legMs_ = 0;
    float restValue_ = 0.0f;
};
