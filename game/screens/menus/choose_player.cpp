#include "game/screens/menus/choose_player.h"

#include <algorithm>
#include <vector>

#include "engine/scripthost/script.h"
#include "engine/ui/button.h"
#include "game/data/game_manager.h"
#include "game/screens/dialogs/border_outlines.h"
#include "game/screens/menus/player_choices.h"

namespace {

constexpr int kBorderSegments = 5;
constexpr int kBorderSegmentMs = 400;

int ScriptInt(TScript* script, const char* name) {
    return script ? static_cast<int>(script->GetGlobalNumber(name)) : 0;
}

int CurrentUserIndex() {
    GameManager* manager = GameManager::Get();
    return manager ? manager->GetCurrentUserIndex() : -1;
}

}  // namespace

TWindow* TChoosePlayer::Create() { return new TChoosePlayer(); }

TClassId TChoosePlayer::ClassId() { return reinterpret_cast<TClassId>(&TChoosePlayer::Create); }

TChoosePlayer::TChoosePlayer()
    : clsPanelDialog(kOutlineA, kBorderSegments, kBorderSegmentMs),
      script_(WindowManagerScript()),
      maximumPlayers_(ScriptInt(script_, "gMaximumNumberOfPlayers")) {
    functions_.Bind("SetPlayerChoices", this, &TChoosePlayer::SetPlayerChoices);
    functions_.Bind("GetCurrentSelectedUser", this, &TChoosePlayer::GetCurrentSelectedUser);
    functions_.Bind("GetSelectedPlayerName", this, &TChoosePlayer::GetSelectedPlayerName);
    functions_.Bind("GetNumberOfUsers", this, &TChoosePlayer::GetNumberOfUsers);
}

TChoosePlayer::~TChoosePlayer() { functions_.Unbind(); }

void TChoosePlayer::PostCreate(TWindowStyle& style) {
    TWindow::PostCreate(style);
    if (script_) script_->DoLuaString(InitOffsetLine(CurrentUserIndex(), GetNumberOfUsers()));
    SetPlayerChoices();
    StartPanelEntry();
}

int TChoosePlayer::GetNumberOfUsers() {
    GameManager* manager = GameManager::Get();
    return manager ? manager->GetNumUsers() : 0;
}

void TChoosePlayer::SetPlayerChoices() {
    GameManager* manager = GameManager::Get();
    int count = GetNumberOfUsers();
    std::vector<TString> names;
    for (int i = 0; manager && i < std::min(count, maximumPlayers_); ++i) names.push_back(manager->GetUserName(i));
    if (script_) script_->DoLuaString(UpdatePlayerChoicesLine(CurrentUserIndex(), count, names));
}

int TChoosePlayer::GetCurrentSelectedUser() {
    int offset = ScriptInt(script_, "kScrollOffset");
    for (int i = 0; i < maximumPlayers_; ++i) {
        TButton* button = WindowCastToTButton(FindChild(TString::Format("btnUser%d", i)));
        if (button && button->GetToggleState()) return i + offset;
    }
    return 0;
}

TString TChoosePlayer::GetSelectedPlayerName() {
    GameManager* manager = GameManager::Get();
    return manager ? manager->GetUserName(GetCurrentSelectedUser()) : TString();
}
