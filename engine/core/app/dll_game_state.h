// Handler libraries: shared objects exporting "CreateHandler" (no arguments -> a new
// TGameStateHandler) and "DestroyHandler" (that handler -> nothing), built with the same compiler.
#pragma once

#include <memory>

#include "engine/core/app/game_state.h"
#include "platform/library/library.h"

class TDllGameState : public TGameStateHandler {
public:
    // Resolves the path through the file layer and loads the library; inert when either export
    // is missing or the load fails.
    explicit TDllGameState(const TString& path);
    ~TDllGameState() override;

    bool IsLoaded() const { return handler_ != nullptr; }
    bool SetState(const TString& name, const TString& value) override;
    int GetState(const TString& name, int fallback) override;
    bool QueryRestartMode() override;
    bool QueryJumpToMenu() override;
    bool QueryMuteGame() override;
    bool QueryPauseGame() override;

private:
    using DestroyFunction = void (*)(TGameStateHandler*);

    platform::Library library_;
    TGameStateHandler* handler_ = nullptr;
    DestroyFunction destroy_ = nullptr;
};

// Adds a TDllGameState for every file of the start-up folder ("::") whose name contains
// ".qvmod"; one that does not load is deleted. Answers the number added.
int LoadHandlerLibraries(TGameState& bridge);
