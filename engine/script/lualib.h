// Openers of the standard libraries the host gives scripts: base (with coroutine), string and table.
#pragma once

#include "engine/script/lua.h"

#define LUA_COLIBNAME "coroutine"
#define LUA_STRLIBNAME "string"
#define LUA_TABLIBNAME "table"

int luaopen_base(lua_State* L);
int luaopen_string(lua_State* L);
int luaopen_table(lua_State* L);
