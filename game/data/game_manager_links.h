// What the game manager drives without owning it: the screens (the window system's modal stack and
// its transition window) and the level flow of the game session. The game's main function hands
// the implementations to GameManager::Create; a missing one makes the calls that need it do nothing.
#pragma once

#include "engine/core/base/tstring.h"

struct lua_State;

class GameScreens {
public:
    virtual ~GameScreens() = default;
    // True when there is a top modal window and it has a parent window.
    virtual bool TopModalHasParent() = 0;
    // Pops the top modal window (by its id text).
    virtual void PopTopModal() = 0;
    // Starts the closing transition of the transition window "swtTransitionWindow" found under the
    // top modal window, when there is one and it is a transition window; otherwise nothing. At its
    // end the code line runs, or when it is empty the global script function of that name.
    virtual void StartTransition(const TString& code, const TString& functionName) = 0;
};

class GameSessionLink {
public:
    virtual ~GameSessionLink() = default;
    // The level flow: the current level index and the running money total.
    virtual int GetCurrentLevel() = 0;
    virtual void SetCurrentLevel(int level) = 0;
    virtual void SetMoneyTotal(int money) = 0;
    // The session's flag that the collapse mini-game is due before the level.
    virtual void SetCollapseDue(bool due) = 0;
    // Clears the session's flags, counters and level flow (a player's progress was just loaded).
    virtual void ResetSession() = 0;
    // Clears the trophy tracker's counters of the current level.
    virtual void ResetLevelCounters() = 0;
};

struct GameManagerLinks {
    lua_State* scripts = nullptr;  // the window system's script state: receives the script functions
    GameScreens* screens = nullptr;
    GameSessionLink* session = nullptr;
};
