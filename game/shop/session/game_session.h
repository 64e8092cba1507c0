// clsGameSession: the game-wide singleton of the level flow. It keeps what survives from one level to
// the next (whether the collapse mini-game comes first, the levels won and lost), the scene now alive,
// the asset maps of the level and of the menus with the preload lists the loading screens work off,
// and the mouse cursor (arrow or hand). It is the game manager's link to the level flow and offers
// the scripts "setCurrentLevel", "getCurrentLevel" and "isNextLevelCollapse".
//
// The level index, the collapse level index and the player's money live beside it in LevelFlow, which
// other parts of the game read and write directly.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/tstring.h"
#include "engine/core/files/asset.h"
#include "engine/scripthost/script_target.h"
#include "game/data/game_manager_links.h"
#include "game/shop/objects/game_scene.h"

class TApplication;
class TScript;
class TTexture;
class TWindow;
class clsGameInterface;
struct LevelRecord;

struct LevelFlow {
    int currentLevel = 0;   // the level to play next or being played; 0-based
    int collapseLevel = 0;  // the collapse level to play next
    int playerMoney = 0;    // carried from level to level, spent in the bazaar
};

LevelFlow& GetLevelFlow();

class clsGameSession : public GameSessionLink, public iGameAssets, public TScriptTarget {
public:
    enum CursorKind { kArrowCursor = 0, kHandCursor = 1, kNoCursor = -1 };

    // The session, created on the first call with the window manager's script as its script.
    static clsGameSession* Instance();
    // The session when one exists; never creates it.
    static clsGameSession* Existing();
    // Deletes the session (the end of the game's main function).
    static void DeleteInstance();

    // Binds the three script functions to script (may be null) and loads the two cursor pictures.
    explicit clsGameSession(TScript* script);
    ~clsGameSession() override;
    clsGameSession(const clsGameSession&) = delete;
    clsGameSession& operator=(const clsGameSession&) = delete;

    // The scene now alive (the newest scene window not yet deleted); null when there is none.
    clsGameInterface* GetCurrentScene() const;

    // Level flow. AdvanceLevel follows a won shop level: the next index (0 after the last level), the
    // money added, the collapse game due before every third level, one more level won.
    void AdvanceLevel(int levelMoney);
    void CountLoss() { ++levelsLost_; }
    void ClearCollapseFlag() { collapseNext_ = false; }
    // Flags, counters and the level flow back to their start (another player was taken up).
    void Reset();
    int GetLevelsWon() const { return levelsWon_; }
    int GetLevelsLost() const { return levelsLost_; }
    // The level record at the current level index; null (logged) when the index names no level.
    const LevelRecord* GetCurrentLevelRecord() const;

    // The script functions.
    void StartNextGame();
    int GetCurrentLevel() override;
    bool IsNextLevelCollapse() const { return collapseNext_; }

    // Assets: the level's map first, then the menus' map.
    std::shared_ptr<TTexture> GetTexture(const TString& name) override;
    std::shared_ptr<TTexture> GetMenuTexture(const TString& name);
    // Sounds of the effects group ("?group=1000"); false when the sound is missing.
    bool PlaySound(const TString& name, bool loop) override;
    bool PauseSound(const TString& name, bool pause) override;
    void StopSound(const TString& name) override;
    void AddPreloadAnim(const TString& name) override;
    void AddPreloadSound(const TString& name) override;
    void AddMenuPreloadAnim(const TString& name);
    // Loads one pending name: the level's list first, each list last name first. False when both
    // lists were empty.
    bool LoadPendingAssets();
    // The names both lists still hold.
    size_t GetPendingCount() const { return gamePreload_.size() + menuPreload_.size(); }
    // Loads the last pending name of the menus' list; false when it was empty.
    bool LoadMenuAssets();

    // The cursor goes through the application, once it is known.
    void SetApplication(TApplication* application) { application_ = application; }
    // Sets the arrow (0) or the hand (1) unless that kind is set already and force is false; other
    // kinds are only recorded.
    void SetCursor(int kind, bool force);
    int GetCursorKind() const { return cursorKind_; }

    // GameSessionLink.
    void SetCurrentLevel(int level) override;
    void SetMoneyTotal(int money) override;
    void SetCollapseDue(bool due) override { collapseNext_ = due; }
    void ResetSession() override { Reset(); }
    void ResetLevelCounters() override;

private:
    void BindScriptFunctions();
    void AddProbeFields();
    std::shared_ptr<TSound> FindSound(const TString& name);

    TScript* script_;
    TAssetMap gameAssets_;
    TAssetMap menuAssets_;
    TApplication* application_ = nullptr;
    bool collapseNext_ = false;
    int levelsLost_ = 0;
    int levelsWon_ = 0;
    std::shared_ptr<TTexture> arrowCursor_;
    std::shared_ptr<TTexture> handCursor_;
    int cursorKind_ = kNoCursor;
    std::vector<TString> gamePreload_;
    std::vector<TString> menuPreload_;
};

// Shows or hides a window (flag 0x100); a hidden window also loses its hover state.
void SetWindowVisible(TWindow* window, bool visible);
