// clsShopBackground ("BackgroundWindow"): paints the shop behind the playing field: the background
// picture of the level's shop and the decorations the shop has gathered by that level, some of which
// come alive now and then. It handles no input.
#pragma once

#include <memory>
#include <vector>

#include "engine/ui/window.h"
#include "game/shop/background/decoration_timer.h"

class TClock;
class iGameAssets;
class clsSpriteObject;
class clsSprite;

class clsShopBackground : public TWindow {
public:
    // One row of the decoration table: a picture, where it stands and from which level on.
    struct Decoration {
        const char* name;  // under "backgrounds/objects/"
        bool animated;
        int slot;  // a slot shows one decoration; slot 1 is drawn on top
        float x, y;  // the picture's centre
        int firstLevel;  // 0-based
    };
    static constexpr int kLevelsWithDecorations = 24;
    static constexpr float kMinReplaySeconds = 10.0f;
    static constexpr float kMaxReplaySeconds = 30.0f;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsShopBackground"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    ~clsShopBackground() override;

    // Builds the shop of the game's current level from the game session's pictures.
    void Init(TWindowStyle& style) override;
    // The background, then the decorations from the highest slot down.
    void Draw() override;
    // Steps the decorations' replay timers by the clock's time since the last call.
    bool OnAnimate() override;

    // The decorations of a level, one per slot, in ascending slot order; none outside 0..23.
    static std::vector<const Decoration*> DecorationsForLevel(int level);
    // "backgrounds/shop_N/bg_shop_0N" for the level's shop (three levels a shop).
    static TString BackgroundName(int level);

    // Places the shop of level with pictures from assets (null: none); Init calls it.
    void Build(iGameAssets* assets, int level);

    const std::vector<std::unique_ptr<clsSpriteObject>>& GetDecorations() const { return decorations_; }
    const std::vector<DecorationTimer>& GetTimers() const { return timers_; }
    clsSprite* GetBackground() const { return background_.get(); }

private:
    // The time of the window's animation clock (the application's timer when it has none).
    uint32_t NowMs() const;

    uint32_t lastTimeMs_ = 0;
    const TClock* clock_ = nullptr;  // of the window's animation; null: the application's timer
    std::vector<std::unique_ptr<clsSpriteObject>> decorations_;  // ascending slot order
    std::vector<DecorationTimer> timers_;  // one per animated decoration
    std::unique_ptr<clsSprite> background_;
};

// The eight shops' backgrounds and tables and every decoration.
void PreloadShopBackgroundAnims(iGameAssets& assets);
// The background, the counter table and the decorations the shop of one level shows (what a small
// video card holds).
void PreloadLevelShopBackground(iGameAssets& assets, int level);
