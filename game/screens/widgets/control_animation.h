// controlAnimation: one animated picture in a window (the scripts' "controlAnimation"). It shows
// frame 0 of its animation until it plays, at once with the style's "start" or when the script
// function "PlayAnimationControl(action, callback)" asks; when the action has ended it calls the
// global script function named by "onEndAnimation" (or by the last call's callback) once. The newest
// controlAnimation answers "PlayAnimationControl".
#pragma once

#include <memory>

#include "engine/core/files/asset.h"
#include "engine/ui/window.h"
#include "game/screens/scripting/script_functions.h"

class TAnimatedSprite;

class controlAnimation : public TWindow {
public:
    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "controlAnimation"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    controlAnimation();
    ~controlAnimation() override;

    // Reads "animation", "onEndAnimation", "blendAdditive", "scale", "regx", "regy", "x", "y" (used
    // only when one is negative) and "start".
    void PostCreate(TWindowStyle& style) override;
    // The sprite at its registration point in the window; its children are not drawn.
    void Draw() override;
    // True while the action plays; at its end the callback, once, and false.
    bool OnAnimate() override;

    // Ignored while an action plays; an empty action is "DoAnim", an empty callback keeps the last.
    void PlayAnimationControl(const TString& action, const TString& callback);

    TAnimatedSprite& GetSprite() { return *sprite_; }
    const TString& GetEndCallback() const { return endCallback_; }

private:
    void Play(const TString& action);

    TAssetMap assets_;
    std::shared_ptr<TAnimatedSprite> sprite_;
    TString animation_;
    TString endCallback_;
    bool additive_ = false;
    float scale_ = 1.0f;
    ScriptFunctions functions_;
};
