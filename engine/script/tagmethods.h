// Metamethod events and their lookup.
#pragma once

#include "engine/script/object.h"

// Order matters: the first events are cached as absent in a table's flags.
enum TMS {
  TM_INDEX,
  TM_NEWINDEX,
  TM_GC,
  TM_MODE,
  TM_EQ,  // last event with a fast absence test
  TM_ADD,
  TM_SUB,
  TM_MUL,
  TM_DIV,
  TM_POW,
  TM_UNM,
  TM_LT,
  TM_LE,
  TM_CONCAT,
  TM_CALL,
  TM_N
};

extern const char* const luaT_typenames[];

void luaT_init(lua_State* L);
// The metamethod of event `e` in metatable `events` or NULL; caches an absence in the table's flags.
const TObject* luaT_gettm(Table* events, TMS e, TString* ename);
// The metamethod of event `e` for value `o`: tables and full userdata only; shared nil when absent.
const TObject* luaT_gettmbyobj(lua_State* L, const TObject* o, TMS e);
// Fast lookup for events up to TM_EQ; NULL when absent.
const TObject* fasttm(lua_State* L, Table* et, TMS e);
// Type name of a value's tag, "no value" for LUA_TNONE.
const char* luaT_typename(int tag);
