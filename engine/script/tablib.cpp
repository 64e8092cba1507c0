// Table library: sizes through the "n" field and the size table, raw element access.
#include <climits>

#include "engine/script/auxlib.h"
#include "engine/script/lualib.h"
#include "engine/script/object.h"

namespace {

int aux_getn(lua_State* L, int n) {
  luaL_checktype(L, n, LUA_TTABLE);
  return luaL_getn(L, n);
}

int luaB_foreachi(lua_State* L) {
  int n = aux_getn(L, 1);
  luaL_checktype(L, 2, LUA_TFUNCTION);
  for (int i = 1; i <= n; i++) {
    lua_pushvalue(L, 2);
    lua_pushnumber(L, i);
    lua_rawgeti(L, 1, i);
    lua_call(L, 2, 1);
    if (!lua_isnil(L, -1)) return 1;
    lua_pop(L, 1);
  }
  return 0;
}

int luaB_foreach(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_checktype(L, 2, LUA_TFUNCTION);
  lua_pushnil(L);
  while (lua_next(L, 1)) {
    lua_pushvalue(L, 2);
    lua_pushvalue(L, -3);
    lua_pushvalue(L, -3);
    lua_call(L, 2, 1);
    if (!lua_isnil(L, -1)) return 1;
    lua_pop(L, 2);
  }
  return 0;
}

int luaB_getn(lua_State* L) {
  lua_pushnumber(L, aux_getn(L, 1));
  return 1;
}

int luaB_setn(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_setn(L, 1, luaO_toint32(luaL_checknumber(L, 2)));
  return 0;
}

int luaB_tinsert(lua_State* L) {
  int v = lua_gettop(L);
  int size = aux_getn(L, 1);
  if (size == INT_MAX) luaL_error(L, "table overflow");  // no position after the last one
  int n = size + 1;
  int pos;
  if (v == 2) {
    pos = n;
  } else {
    pos = luaO_toint32(luaL_checknumber(L, 2));
    if (pos > n) n = pos;  // the size grows to pos
    v = 3;
  }
  luaL_setn(L, 1, n);
  while (--n >= pos) {
    lua_rawgeti(L, 1, n);
    lua_rawseti(L, 1, n + 1);
  }
  lua_pushvalue(L, v);
  lua_rawseti(L, 1, pos);
  return 0;
}

int luaB_tremove(lua_State* L) {
  int n = aux_getn(L, 1);
  int pos = luaO_toint32(luaL_optnumber(L, 2, n));
  if (n <= 0) return 0;
  luaL_setn(L, 1, n - 1);
  lua_rawgeti(L, 1, pos);
  for (; pos < n; pos++) {
    lua_rawgeti(L, 1, pos + 1);
    lua_rawseti(L, 1, pos);
  }
  lua_pushnil(L);
  lua_rawseti(L, 1, n);
  return 1;
}

int str_concat(lua_State* L) {
  size_t lsep;
  const char* sep = luaL_optlstring(L, 2, "", &lsep);
  luaL_checktype(L, 1, LUA_TTABLE);
  int i = luaO_toint32(luaL_optnumber(L, 3, 1));
  int n = luaO_toint32(luaL_optnumber(L, 4, 0));
  if (n == 0) n = luaL_getn(L, 1);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  for (; i <= n; i++) {
    lua_rawgeti(L, 1, i);
    int t = lua_type(L, -1);
    luaL_argcheck(L, t == LUA_TSTRING || t == LUA_TNUMBER, 1, "table contains non-strings");
    luaL_addvalue(&b);
    if (i != n) luaL_addlstring(&b, sep, lsep);
    if (i == INT32_MAX) break;
  }
  luaL_pushresult(&b);
  return 1;
}

// Quicksort (after Robert Sedgewick): median of three, recursion into the smaller part.

void set2(lua_State* L, int i, int j) {
  lua_rawseti(L, 1, i);
  lua_rawseti(L, 1, j);
}

// a[a] < b at stack positions a and b.
bool sort_comp(lua_State* L, int a, int b) {
  if (!lua_isnil(L, 2)) {
    lua_pushvalue(L, 2);
    lua_pushvalue(L, a - 1);  // -1 shifts by the pushed function
    lua_pushvalue(L, b - 2);
    lua_call(L, 2, 1);
    bool res = lua_toboolean(L, -1);
    lua_pop(L, 1);
    return res;
  }
  return lua_lessthan(L, a, b);
}

void auxsort(lua_State* L, int l, int u) {
  while (l < u) {
    lua_rawgeti(L, 1, l);
    lua_rawgeti(L, 1, u);
    if (sort_comp(L, -1, -2)) {
      set2(L, l, u);
    } else {
      lua_pop(L, 2);
    }
    if (u - l == 1) break;
    int i = l + (u - l) / 2;  // (l + u) / 2 without overflow
    lua_rawgeti(L, 1, i);
    lua_rawgeti(L, 1, l);
    if (sort_comp(L, -2, -1)) {
      set2(L, i, l);
    } else {
      lua_pop(L, 1);
      lua_rawgeti(L, 1, u);
      if (sort_comp(L, -1, -2)) {
        set2(L, i, u);
      } else {
        lua_pop(L, 2);
      }
    }
    if (u - l == 2) break;
    lua_rawgeti(L, 1, i);  // the pivot
    lua_pushvalue(L, -1);
    lua_rawgeti(L, 1, u - 1);
    set2(L, i, u - 1);
    i = l;
    int j = u - 1;
    for (;;) {
      while (lua_rawgeti(L, 1, ++i), sort_comp(L, -1, -2)) {
        if (i > u) luaL_error(L, "invalid order function for sorting");
        lua_pop(L, 1);
      }
      while (lua_rawgeti(L, 1, --j), sort_comp(L, -3, -1)) {
        if (j < l) luaL_error(L, "invalid order function for sorting");
        lua_pop(L, 1);
      }
      if (j < i) {
        lua_pop(L, 3);
        break;
      }
      set2(L, i, j);
    }
    lua_rawgeti(L, 1, u - 1);
    lua_rawgeti(L, 1, i);
    set2(L, u - 1, i);
    if (i - l < u - i) {
      j = l;
      i = i - 1;
      l = i + 2;
    } else {
      j = i + 1;
      i = u;
      u = j - 2;
    }
    auxsort(L, j, i);
  }
}

int luaB_sort(lua_State* L) {
  int n = aux_getn(L, 1);
  luaL_checkstack(L, 40, "");
  if (!lua_isnoneornil(L, 2)) luaL_checktype(L, 2, LUA_TFUNCTION);
  lua_settop(L, 2);
  auxsort(L, 1, n);
  return 0;
}

const luaL_reg tab_funcs[] = {
    {"concat", str_concat}, {"foreach", luaB_foreach}, {"foreachi", luaB_foreachi}, {"getn", luaB_getn},
    {"setn", luaB_setn},    {"sort", luaB_sort},       {"insert", luaB_tinsert},    {"remove", luaB_tremove},
    {nullptr, nullptr},
};

}  // namespace

int luaopen_table(lua_State* L) {
  luaL_openlib(L, LUA_TABLIBNAME, tab_funcs, 0);
  return 1;
}
