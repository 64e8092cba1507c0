// Run-time error messages with positions and variable names.
#pragma once

#include "engine/script/state.h"

[[noreturn]] void luaG_typeerror(lua_State* L, const TObject* o, const char* opname);
[[noreturn]] void luaG_concaterror(lua_State* L, StkId p1, StkId p2);
// Arithmetic error naming the first operand that is not a number (convertible when `coerce`).
[[noreturn]] void luaG_aritherror(lua_State* L, const TObject* p1, const TObject* p2, bool coerce);
[[noreturn]] void luaG_ordererror(lua_State* L, const TObject* p1, const TObject* p2);
// Raises a formatted error with the "%s:%d: " position of the running Lua function.
[[noreturn]] void luaG_runerror(lua_State* L, const char* fmt, ...);
[[noreturn]] void luaG_errormsg(lua_State* L);
// Current line of a Lua frame, -1 without line information.
int luaG_currentline(lua_State* L, CallInfo* ci);
