// Prototypes, closures and upvalues.
#pragma once

#include "engine/script/object.h"

Proto* luaF_newproto(lua_State* L);
void luaF_freeproto(lua_State* L, Proto* f);
Closure* luaF_newCclosure(lua_State* L, int nelems);
Closure* luaF_newLclosure(lua_State* L, int nelems, TObject* e);
void luaF_freeclosure(lua_State* L, Closure* c);
// The open upvalue for stack slot `level`, created when missing.
UpVal* luaF_findupval(lua_State* L, StkId level);
// Closes every open upvalue at or above `level`.
void luaF_close(lua_State* L, StkId level);
// Name of local `local_number` (1-based) active at instruction `pc`, or NULL.
const char* luaF_getlocalname(const Proto* func, int local_number, int pc);
