#include "engine/script/tagmethods.h"

#include "engine/script/intern.h"
#include "engine/script/state.h"
#include "engine/script/table.h"

const char* const luaT_typenames[] = {"nil", "boolean", "userdata", "number", "string", "table",
                                      "function", "userdata", "thread", "wstring", "proto", "upval"};

const char* luaT_typename(int tag) { return tag == LUA_TNONE ? "no value" : luaT_typenames[tag]; }

void luaT_init(lua_State* L) {
  static const char* const eventnames[] = {"__index", "__newindex", "__gc", "__mode", "__eq",
                                           "__add", "__sub", "__mul", "__div", "__pow",
                                           "__unm", "__lt", "__le", "__concat", "__call"};
  for (int i = 0; i < TM_N; i++) {
    G(L)->tmname[i] = luaS_new(L, eventnames[i]);
    luaS_fix(G(L)->tmname[i]);
  }
}

const TObject* luaT_gettm(Table* events, TMS e, TString* ename) {
  const TObject* tm = luaH_getstr(events, ename);
  if (ttisnil(tm)) {
    if (e <= TM_EQ) events->flags |= static_cast<lu_byte>(1u << e);
    return nullptr;
  }
  return tm;
}

const TObject* fasttm(lua_State* L, Table* et, TMS e) {
  if (et == nullptr || (et->flags & (1u << e))) return nullptr;
  return luaT_gettm(et, e, G(L)->tmname[e]);
}

const TObject* luaT_gettmbyobj(lua_State* L, const TObject* o, TMS e) {
  Table* mt;
  switch (ttype(o)) {
    case LUA_TTABLE: mt = hvalue(o)->metatable; break;
    case LUA_TUSERDATA: mt = uvalue(o)->metatable; break;
    default: return &luaO_nilobject;
  }
  return mt ? luaH_getstr(mt, G(L)->tmname[e]) : &luaO_nilobject;
}
