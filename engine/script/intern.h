// The string table: interned plain strings and wide strings share one table of buckets.
#pragma once

#include "engine/script/object.h"

void luaS_resize(lua_State* L, int newsize);
TString* luaS_newlstr(lua_State* L, const char* str, size_t len);
TString* luaS_newlwstr(lua_State* L, const lua_WChar* units, size_t len);
TString* luaS_new(lua_State* L, const char* str);
Udata* luaS_newudata(lua_State* L, size_t size);
void luaS_freeall(lua_State* L);
// Keeps a string alive forever (reserved words, event names).
void luaS_fix(TString* s);

#define luaS_newliteral(L, s) luaS_newlstr(L, "" s, (sizeof(s) / sizeof(char)) - 1)
