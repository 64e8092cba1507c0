// TLoading ("LoadingWindow"): the loading screen. It fills the game session's preload lists with the
// names of every game screen's pictures and sounds, then loads one name per animation step while a
// water picture rises behind the background picture (whose hole shows it), sways from side to side
// and shimmers by cross-fading two frames; a particle effect plays on the water once it has risen far
// enough. When nothing is left to load it runs "OnFinishedLoadingAssets()" once and stands still.
#pragma once

#include <memory>

#include "engine/core/files/asset.h"
#include "game/shop/particles/particle_fx.h"
#include "game/shop/scene/game_interface.h"

class clsSprite;
class clsGameSession;

class TLoading : public clsGameInterface, public iParticleFx {
public:
    static constexpr const char* kFinishedScript = "OnFinishedLoadingAssets()";
    // The water rises this far over the whole loading, one step per name.
    static constexpr double kRisePixels = 450.0;
    static constexpr float kWaterStartX = 300.0f, kWaterStartY = 700.0f;
    static constexpr float kSwayLeft = 300.0f, kSwayRight = 500.0f, kSwayPixelsPerSecond = 100.0f;
    static constexpr float kShimmerPerSecond = 1.5f;
    // The effect shows once the water's top is above this line.
    static constexpr float kEffectLine = 590.0f;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TLoading"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // The rise per loaded name: 450 / total, 0 when nothing is to be loaded.
    static float RiseStep(size_t total);

    TLoading();
    ~TLoading() override;

    // Sprites placed, every screen's preload list asked for, the water effect started.
    void Init(TWindowStyle& style) override;
    // One name loaded and the water moved; "OnFinishedLoadingAssets()" and false once nothing is left.
    bool OnAnimate() override;
    // The back water, the front water, the effect once risen, and the background over them.
    void Draw() override;

    size_t GetTotal() const { return total_; }
    float GetStep() const { return step_; }
    clsSprite* GetWater(int index) const { return water_[index].get(); }
    int GetFrontIndex() const { return front_; }
    clsParticleFx& GetWaterEffect() { return waterEffect_; }

private:
    // Seconds since the last step, at most the game data's "maxSecsElapsed".
    float StepSeconds(uint32_t nowMs) const;
    // The water's next place: swayed between the two turning points and risen by one step.
    TVec2 NextWaterPlace(float dt);
    // Fades the front frame in over the other; a fully shown front frame hands over to the other.
    void CrossFadeWater(float dt);
    void LayWaterPath();
    // The scene clock's time (the application's timer before the scene has a clock).
    uint32_t NowMs();

    TAssetMap assets_;
    std::unique_ptr<clsSprite> background_;
    std::unique_ptr<clsSprite> water_[2];
    int front_ = 0;      // the water frame fading in
    int direction_ = 1;  // +1 swaying right, -1 left
    size_t total_ = 0;
    float step_ = 0.0f;
    uint32_t lastTimeMs_ = 0;
    clsParticleFx waterEffect_;
};

// Asks every screen for the names it wants loaded, in the order the loading screen loads them.
void FillPreloadLists(iGameAssets& assets);
