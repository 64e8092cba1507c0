// Mark-and-sweep collector.
#pragma once

#include "engine/script/state.h"

// `marked` bits.
constexpr int GC_MARKBIT = 0;
constexpr int GC_NOTFINALISED = 1;  // userdata
constexpr int GC_WEAKKEY = 1;       // tables
constexpr int GC_WEAKVALUE = 2;     // tables
constexpr int GC_FIXED = 4;

void luaC_link(lua_State* L, GCObject* o, lu_byte tt);
void luaC_collect(lua_State* L, int all);
void luaC_callGCTM(lua_State* L);
// Runs a full collection and sets the next threshold.
void luaC_collectgarbage(lua_State* L);
// Collects when the allocated bytes reached the threshold (or always under the stress switch).
void luaC_checkGC(lua_State* L);
// Separates every userdata with a finaliser (for lua_close); returns their total size.
size_t luaC_separateudata(lua_State* L, int all);
