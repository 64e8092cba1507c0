#include "engine/script/auxlib.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstdio>
#include <cstring>

// Registry key of the weak-keyed table of explicit array sizes.
constexpr int ARRAYSIZE_REF = 2;

static int abs_index(lua_State* L, int i) { return i > 0 || i <= LUA_REGISTRYINDEX ? i : lua_gettop(L) + i + 1; }

// ---------------------------------------------------------------------------------------------------
// Errors and argument checks

void luaL_where(lua_State* L, int level) {
  lua_Debug ar;
  if (lua_getstack(L, level, &ar)) {
    lua_getinfo(L, "Snl", &ar);
    if (ar.currentline > 0) {
      lua_pushfstring(L, "%s:%d: ", ar.short_src, ar.currentline);
      return;
    }
  }
  lua_pushliteral(L, "");
}

int luaL_error(lua_State* L, const char* fmt, ...) {
  va_list argp;
  va_start(argp, fmt);
  luaL_where(L, 1);
  lua_pushvfstring(L, fmt, argp);
  va_end(argp);
  lua_concat(L, 2);
  return lua_error(L);
}

int luaL_argerror(lua_State* L, int narg, const char* extramsg) {
  lua_Debug ar;
  ar.name = nullptr;
  ar.namewhat = "";
  if (lua_getstack(L, 0, &ar)) lua_getinfo(L, "n", &ar);
  const char* name = ar.name ? ar.name : "?";
  if (ar.namewhat && std::strcmp(ar.namewhat, "method") == 0) {
    narg--;  // self is not counted
    if (narg == 0) return luaL_error(L, "calling `%s' on bad self (%s)", name, extramsg);
  }
  return luaL_error(L, "bad argument #%d to `%s' (%s)", narg, name, extramsg);
}

int luaL_typerror(lua_State* L, int narg, const char* tname) {
  const char* msg = lua_pushfstring(L, "%s expected, got %s", tname, lua_typename(L, lua_type(L, narg)));
  return luaL_argerror(L, narg, msg);
}

static void tag_error(lua_State* L, int narg, int tag) { luaL_typerror(L, narg, lua_typename(L, tag)); }

void luaL_checkstack(lua_State* L, int space, const char* mes) {
  if (!lua_checkstack(L, space)) luaL_error(L, "stack overflow (%s)", mes);
}

void luaL_checktype(lua_State* L, int narg, int t) {
  if (lua_type(L, narg) != t) tag_error(L, narg, t);
}

void luaL_checkany(lua_State* L, int narg) {
  if (lua_type(L, narg) == LUA_TNONE) luaL_argerror(L, narg, "value expected");
}

const char* luaL_checklstring(lua_State* L, int narg, size_t* len) {
  const char* s = lua_tostring(L, narg);  // NULL for wide strings too
  if (!s) tag_error(L, narg, LUA_TSTRING);
  if (len) *len = lua_strlen(L, narg);
  return s;
}

const char* luaL_optlstring(lua_State* L, int narg, const char* def, size_t* len) {
  if (lua_isnoneornil(L, narg)) {
    if (len) *len = def ? std::strlen(def) : 0;
    return def;
  }
  return luaL_checklstring(L, narg, len);
}

const lua_WChar* luaL_checklwstring(lua_State* L, int narg, size_t* len) {
  const lua_WChar* s = lua_towstring(L, narg);
  if (!s) tag_error(L, narg, LUA_TWSTRING);
  if (len) *len = lua_strlen(L, narg);
  return s;
}

lua_Number luaL_checknumber(lua_State* L, int narg) {
  lua_Number d = lua_tonumber(L, narg);
  if (d == 0 && !lua_isnumber(L, narg)) tag_error(L, narg, LUA_TNUMBER);
  return d;
}

lua_Number luaL_optnumber(lua_State* L, int narg, lua_Number def) {
  if (lua_isnoneornil(L, narg)) return def;
  return luaL_checknumber(L, narg);
}

static int toint(lua_Number d) {
  if (d > -2147483649.0 && d < 2147483648.0) return static_cast<int>(d);
  return INT_MIN;
}

int luaL_checkint(lua_State* L, int narg) { return toint(luaL_checknumber(L, narg)); }

int luaL_optint(lua_State* L, int narg, int def) {
  if (lua_isnoneornil(L, narg)) return def;
  return luaL_checkint(L, narg);
}

// ---------------------------------------------------------------------------------------------------
// Metatables and registration

int luaL_getmetafield(lua_State* L, int obj, const char* event) {
  if (!lua_getmetatable(L, obj)) return 0;
  lua_pushstring(L, event);
  lua_rawget(L, -2);
  if (lua_isnil(L, -1)) {
    lua_pop(L, 2);  // metatable and field
    return 0;
  }
  lua_remove(L, -2);  // the metatable
  return 1;
}

int luaL_callmeta(lua_State* L, int obj, const char* event) {
  if (obj < 0 && obj > LUA_REGISTRYINDEX) obj += lua_gettop(L) + 1;
  if (!luaL_getmetafield(L, obj, event)) return 0;
  lua_pushvalue(L, obj);
  lua_call(L, 1, 1);
  return 1;
}

void luaL_openlib(lua_State* L, const char* libname, const luaL_reg* l, int nup) {
  if (libname) {
    lua_pushstring(L, libname);
    lua_gettable(L, LUA_GLOBALSINDEX);
    if (lua_isnil(L, -1)) {
      lua_pop(L, 1);
      lua_newtable(L);
      lua_pushstring(L, libname);
      lua_pushvalue(L, -2);
      lua_settable(L, LUA_GLOBALSINDEX);
    }
    lua_insert(L, -(nup + 1));  // the library table goes below the upvalues
  }
  for (; l->name; l++) {
    lua_pushstring(L, l->name);
    for (int i = 0; i < nup; i++) lua_pushvalue(L, -(nup + 1));  // copies of the upvalues
    lua_pushcclosure(L, l->func, nup);
    lua_settable(L, -(nup + 3));
  }
  lua_pop(L, nup);
}

// ---------------------------------------------------------------------------------------------------
// Array sizes

// The number on top as a size (integer part, at most INT_MAX), or -1 when it is no number or negative; pops
// `topop` values.
static int checksize(lua_State* L, int topop) {
  int n = -1;
  if (lua_isnumber(L, -1)) {
    lua_Number d = std::trunc(lua_tonumber(L, -1));
    if (d >= 0) n = d >= INT_MAX ? INT_MAX : static_cast<int>(d);
  }
  lua_pop(L, topop);
  return n;
}

// Pushes the table of explicit sizes, creating it when `create` is set; false (nothing pushed) when absent.
static bool getsizes(lua_State* L, bool create) {
  lua_rawgeti(L, LUA_REGISTRYINDEX, ARRAYSIZE_REF);
  if (!lua_isnil(L, -1)) return true;
  lua_pop(L, 1);
  if (!create) return false;
  lua_newtable(L);
  lua_pushvalue(L, -1);
  lua_setmetatable(L, -2);  // its own metatable, with weak keys
  lua_pushliteral(L, "__mode");
  lua_pushliteral(L, "k");
  lua_rawset(L, -3);
  lua_pushvalue(L, -1);
  lua_rawseti(L, LUA_REGISTRYINDEX, ARRAYSIZE_REF);
  return true;
}

void luaL_setn(lua_State* L, int t, int n) {
  t = abs_index(L, t);
  lua_pushliteral(L, "n");
  lua_rawget(L, t);
  if (checksize(L, 1) >= 0) {  // a numeric field "n" holds the size
    lua_pushliteral(L, "n");
    lua_pushnumber(L, n);
    lua_rawset(L, t);
    return;
  }
  getsizes(L, true);
  lua_pushvalue(L, t);
  lua_pushnumber(L, n);
  lua_rawset(L, -3);
  lua_pop(L, 1);
}

int luaL_getn(lua_State* L, int t) {
  t = abs_index(L, t);
  lua_pushliteral(L, "n");
  lua_rawget(L, t);
  int n = checksize(L, 1);
  if (n >= 0) return n;
  if (getsizes(L, false)) {
    lua_pushvalue(L, t);
    lua_rawget(L, -2);
    n = checksize(L, 2);
    if (n >= 0) return n;
  }
  for (n = 1;; n++) {  // count the entries from 1
    lua_rawgeti(L, t, n);
    bool end = lua_isnil(L, -1);
    lua_pop(L, 1);
    if (end || n == INT_MAX) break;
  }
  return n - 1;
}

// ---------------------------------------------------------------------------------------------------
// String buffer

static size_t bufflen(const luaL_Buffer* B) { return static_cast<size_t>(B->p - B->buffer); }
static size_t bufffree(const luaL_Buffer* B) { return LUAL_BUFFERSIZE - bufflen(B); }

// Most pieces kept on the stack before merging them regardless of their lengths.
constexpr int LIMIT = LUA_MINSTACK / 2;

// Pushes the filled part of the buffer as one piece; false when it is empty.
static bool emptybuffer(luaL_Buffer* B) {
  size_t l = bufflen(B);
  if (l == 0) return false;
  if (B->wide) {
    lua_pushlwstring(B->L, reinterpret_cast<const lua_WChar*>(B->buffer), l / 2);
  } else {
    lua_pushlstring(B->L, B->buffer, l);
  }
  B->p = B->buffer;
  B->lvl++;
  return true;
}

// Merges the top pieces so that the stack stays shallow: a piece is merged while too many would remain or
// while the pieces above it are longer.
static void adjuststack(luaL_Buffer* B) {
  if (B->lvl <= 1) return;
  lua_State* L = B->L;
  int toget = 1;
  size_t toplen = lua_strlen(L, -1);
  do {
    size_t l = lua_strlen(L, -(toget + 1));
    if (B->lvl - toget + 1 >= LIMIT || toplen > l) {
      toplen += l;
      toget++;
    } else {
      break;
    }
  } while (toget < B->lvl);
  lua_concat(L, toget);
  B->lvl = B->lvl - toget + 1;
}

void luaL_buffinit(lua_State* L, luaL_Buffer* B) {
  B->L = L;
  B->p = B->buffer;
  B->lvl = 0;
  B->wide = 0;
}

void luaL_wbuffinit(lua_State* L, luaL_Buffer* B) {
  luaL_buffinit(L, B);
  B->wide = 1;
}

char* luaL_prepbuffer(luaL_Buffer* B) {
  if (emptybuffer(B)) adjuststack(B);
  return B->buffer;
}

void luaL_addlstring(luaL_Buffer* B, const char* s, size_t len) {
  while (len > 0) {
    if (bufffree(B) == 0) luaL_prepbuffer(B);
    size_t block = std::min(len, bufffree(B));
    std::memcpy(B->p, s, block);
    B->p += block;
    s += block;
    len -= block;
  }
}

void luaL_addstring(luaL_Buffer* B, const char* s) { luaL_addlstring(B, s, std::strlen(s)); }

void luaL_addlwstring(luaL_Buffer* B, const lua_WChar* s, size_t n) {
  for (size_t i = 0; i < n; i++) {
    if (bufffree(B) < sizeof(lua_WChar)) luaL_prepbuffer(B);
    std::memcpy(B->p, &s[i], sizeof(lua_WChar));
    B->p += sizeof(lua_WChar);
  }
}

void luaL_addvalue(luaL_Buffer* B) {
  lua_State* L = B->L;
  const char* s = lua_tostring(L, -1);
  if (!s) luaL_error(L, "string expected, got %s", lua_typename(L, lua_type(L, -1)));
  size_t vl = lua_strlen(L, -1);
  if (vl <= bufffree(B)) {
    std::memcpy(B->p, s, vl);
    B->p += vl;
    lua_pop(L, 1);
    return;
  }
  if (emptybuffer(B)) lua_insert(L, -2);  // the flushed piece goes below the value
  B->lvl++;
  adjuststack(B);
}

void luaL_pushresult(luaL_Buffer* B) {
  emptybuffer(B);
  if (B->lvl == 0) {  // nothing was added: the empty text of the buffer's kind
    if (B->wide) {
      static const lua_WChar none = 0;
      lua_pushlwstring(B->L, &none, 0);
    } else {
      lua_pushlstring(B->L, "", 0);
    }
  } else {
    lua_concat(B->L, B->lvl);
  }
  B->lvl = 1;
}

// ---------------------------------------------------------------------------------------------------
// Chunks from memory

namespace {
struct LoadS {
  const char* s;
  size_t size;
};
}  // namespace

static const char* getS(lua_State* L, void* ud, size_t* size) {
  LoadS* ls = static_cast<LoadS*>(ud);
  if (ls->size == 0) return nullptr;
  *size = ls->size;
  ls->size = 0;
  return ls->s;
}

int luaL_loadbuffer(lua_State* L, const char* buff, size_t size, const char* name) {
  LoadS ls{buff, size};
  return lua_load(L, getS, &ls, name);
}

// Reports a failed load or run: to "_ALERT" when it is a function, else on the standard error stream.
static void callalert(lua_State* L, int status) {
  if (status == 0) return;
  lua_pushliteral(L, "_ALERT");
  lua_gettable(L, LUA_GLOBALSINDEX);
  if (lua_isfunction(L, -1)) {
    lua_insert(L, -2);
    lua_call(L, 1, 0);
    return;
  }
  const char* msg = lua_tostring(L, -2);
  if (msg) {
    std::fprintf(stderr, "%s\n", msg);
  } else {  // an error value that is no text
    std::fprintf(stderr, "(error object is a %s value)\n", lua_typename(L, lua_type(L, -2)));
  }
  lua_pop(L, 2);
}

static int aux_do(lua_State* L, int status) {
  if (status == 0) status = lua_pcall(L, 0, LUA_MULTRET, 0);
  callalert(L, status);
  return status;
}

int lua_dobuffer(lua_State* L, const char* buff, size_t size, const char* name) {
  return aux_do(L, luaL_loadbuffer(L, buff, size, name));
}

int lua_dostring(lua_State* L, const char* str) { return lua_dobuffer(L, str, std::strlen(str), str); }
