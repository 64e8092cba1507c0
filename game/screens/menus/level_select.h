// guiLevelSelect: the backdrop of the level-select screen (the scripts' "guiLevelSelect"). It plays
// the level menu's music while it exists and draws a cat over its children that now stands, now
// sleeps (CatNaps). The levels themselves are the scripts'.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/ui/window.h"
#include "game/screens/dialogs/screen_music.h"
#include "game/screens/menus/cat_naps.h"
#include "game/shop/probe/screen_probe.h"

class clsAnimatedSprite;

class guiLevelSelect : public TWindow {
public:
    static constexpr const char* kMusicFile = "audio/music/levelmenumusic.ogg";
    static constexpr const char* kCatStanding = "anim/cat/anim_cat_stand";
    static constexpr const char* kCatSleeping = "anim/cat/anim_cat_sleep";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "guiLevelSelect"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // The music starts and the cat's animations are loaded.
    guiLevelSelect();
    ~guiLevelSelect() override;

    // The cat standing, and the 32 ms animation.
    void Init(TWindowStyle& style) override;
    bool OnAnimate() override;
    void PostDraw() override;

    const CatNaps& GetNaps() const { return naps_; }

private:
    void ShowCat(const char* animation);

    ScreenMusic music_;
    ScreenProbe probe_;
    std::unique_ptr<clsAnimatedSprite> cat_;
    CatNaps naps_;
    uint32_t lastTimeMs_ = 0;
};
