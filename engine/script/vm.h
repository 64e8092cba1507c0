// The virtual machine: conversions, table access with handlers, comparisons, concatenation and execution.
#pragma once

#include "engine/script/state.h"

// A number, or a string / wide string converted into `n`; NULL otherwise.
const TObject* luaV_tonumber(const TObject* obj, TObject* n);
// Converts a number slot in place to a string; 0 when `obj` is not a number.
int luaV_tostring(lua_State* L, TObject* obj);
// Converts a number slot in place to a wide string; 0 when `obj` is not a number.
int luaV_towstring(lua_State* L, TObject* obj);
inline bool tostring(lua_State* L, TObject* o) { return ttisstring(o) || luaV_tostring(L, o); }

int luaV_lessthan(lua_State* L, const TObject* l, const TObject* r);
int luaV_equalval(lua_State* L, const TObject* t1, const TObject* t2);
inline int equalobj(lua_State* L, const TObject* a, const TObject* b) {
  return ttype(a) == ttype(b) && luaV_equalval(L, a, b);
}
// t[key] into `res` with "__index" handlers and the per-type slots.
void luaV_gettable(lua_State* L, const TObject* t, TObject* key, StkId res);
void luaV_settable(lua_State* L, const TObject* t, TObject* key, StkId val);
// Concatenates `total` values ending at register `last` of the current frame.
void luaV_concat(lua_State* L, int total, int last);
// Runs Lua frames from L->ci until the frame at depth `entryLevel` returns or a C function yields.
StkId luaV_execute(lua_State* L, int entryLevel);
