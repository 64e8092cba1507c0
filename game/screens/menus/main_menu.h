// TMainMenu: the main menu (the scripts' "MainMenu"). Its buttons, labels and layout come from the
// script's style table, and its buttons' presses go to the scripts. The window adds the main menu's
// music, the title card drawn over its children, and the welcome line "welcome" that names the
// current player; the script function "SetWelcomeName" writes that line again (after a change of
// player). Without any player, "welcome" and "changeplayer" are hidden.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/ui/window.h"
#include "game/screens/dialogs/screen_music.h"
#include "game/shop/probe/screen_probe.h"
#include "game/screens/scripting/script_functions.h"
#include "game/screens/titlecard/title_card.h"
#include "game/shop/particles/particle_fx.h"

class TMainMenu : public TWindow, public iParticleFx {
public:
    static constexpr const char* kMusicFile = "audio/music/mainmenumusic.ogg";
    static constexpr const char* kWelcomeLabel = "welcome";
    static constexpr const char* kWelcomeWindow = "welcome";
    static constexpr const char* kChangePlayerWindow = "changeplayer";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TMainMenu"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    TMainMenu();
    ~TMainMenu() override;

    // The welcome line, the style's own placement, the 16 ms animation and the title card.
    void PostCreate(TWindowStyle& style) override;
    bool OnAnimate() override;
    // The title card over the children.
    void PostDraw() override;

    void SetWelcomeName();

    // Null until the menu is complete.
    clsTitleCard* GetTitleCard() const { return titleCard_.get(); }

private:
    ScreenMusic music_;
    ScriptFunctions functions_;
    ScreenProbe probe_;
    std::unique_ptr<clsTitleCard> titleCard_;
    uint32_t lastTimeMs_ = 0;
};
