// TChoosePlayer: the panel on which the player picks a profile (the scripts' "ChoosePlayerWindow").
// The scripts lay out the list of players as toggle buttons "btnUser0", "btnUser1", ... and the
// other controls; the panel tells the scripts the players' names and the current player
// ("InitOffset(current, count)", then "UpdatePlayerChoices(current, count, list)") and answers which
// button is on. Its "BackGround" slides in and a border runs once round the panel at rest.
//
// Script globals read: "gMaximumNumberOfPlayers" (when the panel is made: the most buttons) and
// "kScrollOffset" (the player shown on the first button). Script functions offered:
// "SetPlayerChoices()", "GetCurrentSelectedUser()", "GetSelectedPlayerName()", "GetNumberOfUsers()".
#pragma once

#include "game/screens/dialogs/panel_dialog.h"
#include "game/screens/scripting/script_functions.h"

class TScript;

class TChoosePlayer : public clsPanelDialog {
public:
    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TChoosePlayer"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    TChoosePlayer();
    ~TChoosePlayer() override;

    // The style's own placement, the scripts told the offset and the names, then the slide-in.
    void PostCreate(TWindowStyle& style) override;

    // The first players' names (at most the maximum) to the scripts.
    void SetPlayerChoices();
    // The player on the first button that is on, counted from the scroll offset; 0 with none on.
    int GetCurrentSelectedUser();
    TString GetSelectedPlayerName();
    int GetNumberOfUsers();

    int GetMaximumPlayers() const { return maximumPlayers_; }

private:
    ScriptFunctions functions_;
    TScript* script_;
    int maximumPlayers_;
};
