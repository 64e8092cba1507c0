// GameManager: the game's singleton for everything that outlives a level. It holds the definition
// data and the current player's progress (dtMagicGame), keeps the players, their volumes and
// progress in the preferences store "user:prefsdb.dat", applies the display and sound settings, and
// publishes the menus' script functions.
//
// Store keys: global "curuser" (the current player's row, -1 none) and "fullscreen" (1 full screen);
// per player "name", "soundlevel" and "musiclevel" (0..1000), "soundoff", "dtMagicGame" (the
// progress text) and the scripts' own integers; the options dialog keeps its volumes in the global
// table while there is no player. Every write is committed at once.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/base/tstring.h"
#include "engine/scripthost/script_target.h"
#include "game/data/game_manager_links.h"
#include "game/data/magic_game.h"

class TPrefsDB;
class TSound;

class GameManager : public TScriptTarget {
public:
    // Replaces any existing manager with a new one over "config.xml" and the store.
    static GameManager* Create(const GameManagerLinks& links);
    static void Destroy();
    // Null before Create and after Destroy.
    static GameManager* Get();

    ~GameManager();
    GameManager(const GameManager&) = delete;
    GameManager& operator=(const GameManager&) = delete;

    dtMagicGame* GetGameData() const { return gameData_.get(); }
    UserRecord* GetUserRecord() const { return gameData_->GetUserRecord(); }
    // The selected saved level of the loaded progress (a progress must be loaded).
    SavedLevelRecord& GetCurrentSavedLevel();
    // Writes the progress in memory to the current player's row; the player is no longer new.
    void SaveUserProgress();

    int GetCurrentUserIndex();
    TString GetCurrentUserName();
    TString GetUserName(int row);

    bool IsFullScreen();
    void StoreFullScreenSetting();
    // The 800 x 600 display, full screen as stored, then the current player's volumes.
    void ApplyDisplaySettings();
    void ApplyUserSettings();

    void InsideGame(bool inside) { insideGame_ = inside; }
    bool AreInsideGame() { return insideGame_; }

    // The script functions (see game_manager_script.cpp for their names).
    bool ToggleFullScreen();
    void ToggleSoundMute();
    int GetNumUsers();
    void CreateNewUser(const TString& name);
    void SetCurrentUser(int row);
    void ChangeCurrentUserName(const TString& name);
    void DeleteUser(int row);
    bool IsNameInUse(const TString& name);
    void QuitToMainMenu();
    void StartFadeOut(const TString& code, const TString& functionName);
    void PlayMusic(const TString& name);
    void StopMusic(const TString& name);
    int GetNumPotionsToShow();
    int GetPotionToShow(int index);
    int GetCurrentUserInt(const TString& key, int fallback);
    void SetCurrentUserInt(const TString& key, int value);
    // A setting of the options dialog: in the table of the stored "curuser", which is the global
    // table while there is no current player (-1). False (logged) when the value is not stored.
    int GetOptionInt(const char* key, int fallback);
    bool SetOptionInt(const char* key, int value);
    void ContinueSavedLevel(int index);
    void DeleteUserProgress();
    bool IsNewUser();
    int GetNumberOfSavedLevels();
    int GetLevelStartMoney(int index);
    int GetLevelEarnedMoney(int index);
    bool GetLevelExpertMode(int index);
    void ChangeUserData();

private:
    explicit GameManager(const GameManagerLinks& links);
    void RegisterScriptFunctions(lua_State* L);

    // The current player's row when it names an existing player, else -1. Player keys are read and
    // written only there, so a missing or stale current player never reaches the global table.
    int CurrentPlayerRow();
    int GetPlayerInt(int row, const char* key, int fallback);
    void SetCurrentUserRow(int row);
    // The saved level at index of the loaded progress, or null (logged for caller) when there is none.
    const SavedLevelRecord* SavedLevelAt(int index, const char* caller);
    // The potion list of the level flow's current level, or null when the level does not exist.
    const std::vector<int>* CurrentLevelPotions();

    std::unique_ptr<dtMagicGame> gameData_;
    std::unique_ptr<TPrefsDB> store_;
    bool insideGame_ = false;
    GameManagerLinks links_;
    // The stored progress text that could not be read when it was loaded: it is never overwritten,
    // so a damaged profile stays as it is for repair or a later version.
    TString refusedProgress_;
    // The music started by PlayMusic, by name: a sound stops when its last holder lets go, and the
    // asset manager holds sounds only weakly.
    std::map<std::string, std::shared_ptr<TSound>> playingMusic_;
};
