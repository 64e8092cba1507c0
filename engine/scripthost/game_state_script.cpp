#include "engine/scripthost/game_state_script.h"

#include "engine/core/app/game_state.h"
#include "engine/scripthost/script_binding.h"

namespace {

// The bridge is looked up at every call: scripts may outlive it.
int GetState(TString name, int fallback) {
    TGameState* bridge = TGameState::GetInstance();
    return bridge ? bridge->GetState(name, fallback) : fallback;
}

void SetState(TString name, TString value) {
    if (TGameState* bridge = TGameState::GetInstance()) bridge->SetState(name, value);
}

template <bool (TGameState::*Query)()>
bool Ask() {
    TGameState* bridge = TGameState::GetInstance();
    return bridge && (bridge->*Query)();
}

}  // namespace

void RegisterGameStateFunctions(lua_State* state) {
    BindFunction(state, "GetState", &GetState);
    BindFunction(state, "_SetState", &SetState);
    BindFunction(state, "QueryMuteGame", &Ask<&TGameState::QueryMuteGame>);
    BindFunction(state, "QueryRestartMode", &Ask<&TGameState::QueryRestartMode>);
    BindFunction(state, "QueryJumpToMenu", &Ask<&TGameState::QueryJumpToMenu>);
}
