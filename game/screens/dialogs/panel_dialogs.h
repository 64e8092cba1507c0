// The six panel dialogs of the menu flow. Each is a clsPanelDialog with its border outline and
// timing; what a dialog adds beyond that is noted at its class.
//
// | type name            | class           | outline | segments | segment |
// | "EnterNameWindow"    | clsEnterName    | A       | 5        | 400 ms  |
// | "RegisterUserWindow" | clsRegisterUser | A       | 5        | 400 ms  |
// | "PauseWindow"        | clsPause        | C       | 5        | 400 ms  |
// | "YesNoWindow"        | clsYesNo        | A2      | 5        | 300 ms  |
// | "GainTrophyWindow"   | clsGainTrophy   | B10     | 9        | 400 ms  |
// | "EndCollapseWindow"  | clsEndCollapse  | B       | 9        | 400 ms  |
#pragma once

#include "game/screens/dialogs/panel_dialog.h"
#include "game/screens/dialogs/screen_music.h"
#include "game/screens/scripting/script_functions.h"

class clsEnterName : public clsPanelDialog {
public:
    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsEnterName"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsEnterName();
};

// Plays the main menu's music while it is open.
class clsRegisterUser : public clsPanelDialog {
public:
    static constexpr const char* kMusicFile = "audio/music/mainmenumusic.ogg";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsRegisterUser"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsRegisterUser();

private:
    ScreenMusic music_;
};

class clsPause : public clsPanelDialog {
public:
    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsPause"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsPause();
};

// Offers the script function "setBorderFx(n)": 1 the usual outline, 3 the short one of the wide,
// low panel; any other number changes nothing.
class clsYesNo : public clsPanelDialog {
public:
    enum BorderChoice { kUsualBorder = 1, kShortBorder = 3 };

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsYesNo"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsYesNo();
    ~clsYesNo() override;

    void SetBorderFx(int choice);

private:
    ScriptFunctions functions_;
};

class clsGainTrophy : public clsPanelDialog {
public:
    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsGainTrophy"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsGainTrophy();
};

// Keeps its button "btnEndCollapseNextLevel" hidden until the panel has come to rest.
class clsEndCollapse : public clsPanelDialog {
public:
    static constexpr const char* kNextLevelButton = "btnEndCollapseNextLevel";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsEndCollapse"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    clsEndCollapse();

    void PostCreate(TWindowStyle& style) override;
    void PlaceAtRest() override;
};
