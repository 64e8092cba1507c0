#include "engine/scripthost/game_state_script.h"

#include "engine/core/app/game_state.h"
#include "engine/script/lua.h"

namespace {

TString TextAt(lua_State* state, int index) {
    const char* text = lua_isstring(state, index) ? lua_tostring(state, index) : nullptr;
    return TString(text ? text : "");
}

int GetState(lua_State* state) {
    int fallback = static_cast<int>(lua_tonumber(state, 2));
    TGameState* bridge = TGameState::GetInstance();
    lua_pushnumber(state, bridge ? bridge->GetState(TextAt(state, 1), fallback) : fallback);
    return 1;
}

int SetState(lua_State* state) {
    if (TGameState* bridge = TGameState::GetInstance()) bridge->SetState(TextAt(state, 1), TextAt(state, 2));
    return 0;
}

template <bool (TGameState::*Query)()>
int Ask(lua_State* state) {
    TGameState* bridge = TGameState::GetInstance();
    lua_pushboolean(state, bridge && (bridge->*Query)());
    return 1;
}

}  // namespace

void RegisterGameStateFunctions(lua_State* state) {
    lua_register(state, "GetState", GetState);
    lua_register(state, "_SetState", SetState);
    lua_register(state, "QueryMuteGame", Ask<&TGameState::QueryMuteGame>);
    lua_register(state, "QueryRestartMode", Ask<&TGameState::QueryRestartMode>);
    lua_register(state, "QueryJumpToMenu", Ask<&TGameState::QueryJumpToMenu>);
}
