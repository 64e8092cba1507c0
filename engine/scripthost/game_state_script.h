// The bridge's script functions: "GetState"(name, default) -> number, "_SetState"(name, value),
// "QueryMuteGame", "QueryRestartMode", "QueryJumpToMenu" -> boolean. Without a bridge they
// answer the default or false and ignore states. The window system registers them on its script.
#pragma once

struct lua_State;

void RegisterGameStateFunctions(lua_State* state);
