// The libraries of a runner state: exactly those the framework's scripts get (base with coroutine,
// string, table).
#pragma once

struct lua_State;

void OpenLibraries(lua_State* L);
