// The game-state bridge: the one place where the game and its scripts report named states and
// ask the host questions. It forwards every state to its handlers (handler libraries, the web
// portal) and combines their answers.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/tstring.h"

class TGameStateHandler {
public:
    virtual ~TGameStateHandler() = default;
    virtual bool SetState(const TString& name, const TString& value) { return false; }
    virtual int GetState(const TString& name, int fallback) { return fallback; }
    virtual bool QueryRestartMode() { return false; }
    virtual bool QueryJumpToMenu() { return false; }
    virtual bool QueryMuteGame() { return false; }
    virtual bool QueryPauseGame() { return false; }
};

class TGameState {
public:
    // Null until the application creates the bridge.
    static TGameState* GetInstance();
    static TGameState* CreateInstance();
    static void DestroyInstance();

    void AddHandler(std::unique_ptr<TGameStateHandler> handler);
    void SetState(const TString& name, const TString& value);
    void SendEvent(const TString& name) { SetState(name, TString()); }
    void SendEvent(const TString& name, int value);
    // Each handler in turn, with the running answer as its default.
    int GetState(const TString& name, int fallback);
    bool QueryRestartMode();
    bool QueryJumpToMenu();
    bool QueryMuteGame(); // also true when the "mute" state reads non-zero
    bool QueryPauseGame();

private:
    template <typename Query>
    bool Any(Query query);

    std::vector<std::unique_ptr<TGameStateHandler>> handlers_;
};
