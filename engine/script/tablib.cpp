// Table library: sizes through the "n" field and the size table, raw element access.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

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

// Element moves: a position may lie anywhere in the int range, so a move over a span far larger than the table
// visits the entries the table really holds instead of every position of the span.

constexpr int64_t kShortSpan = 64;  // spans this short are moved position by position

// Whether the table at index 1 holds fewer than `bound` entries (counting stops at the bound).
bool holdsfewer(lua_State* L, int64_t bound) {
  int64_t count = 0;
  lua_pushnil(L);
  while (lua_next(L, 1)) {
    lua_pop(L, 1);
    if (++count >= bound) {
      lua_pop(L, 1);
      return false;
    }
  }
  return true;
}

void movestepwise(lua_State* L, int64_t first, int64_t last, int delta) {
  int64_t from = delta > 0 ? last : first;
  for (int64_t i = 0; i <= last - first; i++, from -= delta) {
    lua_rawgeti(L, 1, static_cast<int>(from));
    lua_rawseti(L, 1, static_cast<int>(from + delta));
  }
}

// Pushes a new table holding the entries of the table at index 1 whose keys are integers in [low, high].
void collectentries(lua_State* L, int64_t low, int64_t high) {
  lua_newtable(L);
  int found = lua_gettop(L);
  lua_pushnil(L);
  while (lua_next(L, 1)) {
    if (lua_type(L, -2) == LUA_TNUMBER) {
      lua_Number key = lua_tonumber(L, -2);
      if (key >= static_cast<lua_Number>(low) && key <= static_cast<lua_Number>(high) && key == std::floor(key)) {
        lua_pushvalue(L, -2);
        lua_pushvalue(L, -2);
        lua_rawset(L, found);
      }
    }
    lua_pop(L, 1);
  }
}

void movesparse(lua_State* L, int64_t first, int64_t last, int delta) {
  collectentries(L, std::min(first, first + delta), std::max(last, last + delta));
  int found = lua_gettop(L);
  lua_pushnil(L);
  while (lua_next(L, found)) {  // empty the whole area first: a position whose source is empty ends empty
    lua_pop(L, 1);
    lua_pushvalue(L, -1);
    lua_pushnil(L);
    lua_rawset(L, 1);
  }
  lua_pushnil(L);
  while (lua_next(L, found)) {
    lua_Number key = lua_tonumber(L, -2);
    if (key >= static_cast<lua_Number>(first) && key <= static_cast<lua_Number>(last)) {
      lua_pushnumber(L, key + delta);
      lua_insert(L, -2);
      lua_rawset(L, 1);
    } else {
      lua_pop(L, 1);
    }
  }
  lua_pop(L, 1);
}

// Moves t[first..last] of the table at index 1 by `delta` (1 or -1) positions; the position left behind
// keeps its value.
void moveelements(lua_State* L, int64_t first, int64_t last, int delta) {
  int64_t span = last - first + 1;
  if (span <= 0) return;
  if (span <= kShortSpan || !holdsfewer(L, span)) {
    movestepwise(L, first, last, delta);
  } else {
    movesparse(L, first, last, delta);
  }
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
  moveelements(L, pos, static_cast<int64_t>(n) - 1, 1);
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
  moveelements(L, static_cast<int64_t>(pos) + 1, n, -1);
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
