// The game manager's script functions, in the order the menus' scripts know them.
#include "engine/scripthost/script_binding.h"
#include "game/data/game_manager.h"

void GameManager::RegisterScriptFunctions(lua_State* L) {
    BindMember(L, "ToggleFullScreen", this, &GameManager::ToggleFullScreen);
    BindMember(L, "ToggleSoundMute", this, &GameManager::ToggleSoundMute);
    BindMember(L, "GetNumUsers", this, &GameManager::GetNumUsers);
    BindMember(L, "CreateNewUser", this, &GameManager::CreateNewUser);
    BindMember(L, "SetCurrentUser", this, &GameManager::SetCurrentUser);
    BindMember(L, "ChangeCurrentUserName", this, &GameManager::ChangeCurrentUserName);
    BindMember(L, "DeleteUser", this, &GameManager::DeleteUser);
    BindMember(L, "IsNameInUse", this, &GameManager::IsNameInUse);
    BindMember(L, "QuitToMainMenu", this, &GameManager::QuitToMainMenu);
    BindMember(L, "AreInsideGame", this, &GameManager::AreInsideGame);
    BindMember(L, "InsideGame", this, &GameManager::InsideGame);
    BindMember(L, "StartFadeOut", this, &GameManager::StartFadeOut);
    BindMember(L, "PlayMusic", this, &GameManager::PlayMusic);
    BindMember(L, "StopMusic", this, &GameManager::StopMusic);
    BindMember(L, "GetNumPotionsToShow", this, &GameManager::GetNumPotionsToShow);
    BindMember(L, "GetPotionToShow", this, &GameManager::GetPotionToShow);
    BindMember(L, "GetCurrentUserInt", this, &GameManager::GetCurrentUserInt);
    BindMember(L, "SetCurrentUserInt", this, &GameManager::SetCurrentUserInt);
    BindMember(L, "ContinueSavedLevel", this, &GameManager::ContinueSavedLevel);
    BindMember(L, "DeleteUserProgress", this, &GameManager::DeleteUserProgress);
    BindMember(L, "IsNewUser", this, &GameManager::IsNewUser);
    BindMember(L, "GetNumberOfSavedLevels", this, &GameManager::GetNumberOfSavedLevels);
    BindMember(L, "GetLevelStartMoney", this, &GameManager::GetLevelStartMoney);
    BindMember(L, "GetLevelEarnedMoney", this, &GameManager::GetLevelEarnedMoney);
    BindMember(L, "GetLevelExpertMode", this, &GameManager::GetLevelExpertMode);
    BindMember(L, "ChangeUserData", this, &GameManager::ChangeUserData);
}
