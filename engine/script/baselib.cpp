// Base library: the global functions of scripts, and the coroutine table.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/script/auxlib.h"
#include "engine/script/lualib.h"
#include "engine/script/object.h"

namespace {

// An optional integer argument, defined for every double (NaN and overflow give INT32_MIN).
int optint(lua_State* L, int narg, int def) { return luaO_toint32(luaL_optnumber(L, narg, def)); }

// Wide text as UTF-8: surrogate pairs joined, lone surrogates become U+FFFD.
void appendutf8(std::string& out, const lua_WChar* w, size_t n) {
  for (size_t i = 0; i < n; i++) {
    uint32_t c = w[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (w[i + 1] - 0xDC00);
      i++;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

int luaB_print(lua_State* L) {
  int n = lua_gettop(L);
  lua_pushliteral(L, "towstring");
  lua_gettable(L, LUA_GLOBALSINDEX);
  lua_pushliteral(L, "tostring");
  lua_gettable(L, LUA_GLOBALSINDEX);
  int towstring = n + 1, tostring = n + 2;
  std::string line;
  for (int i = 1; i <= n; i++) {
    bool wide = lua_type(L, i) == LUA_TWSTRING;
    lua_pushvalue(L, wide ? towstring : tostring);
    lua_pushvalue(L, i);
    lua_call(L, 1, 1);
    if (i > 1) line += '\t';
    // Results convert as the readers do: numbers become text of either kind.
    const lua_WChar* units = wide ? lua_towstring(L, -1) : nullptr;
    const char* bytes = wide ? nullptr : lua_tostring(L, -1);
    if (units == nullptr && bytes == nullptr) return luaL_error(L, "`tostring' must return a string to `print'");
    if (units) {
      appendutf8(line, units, lua_strlen(L, -1));
    } else {
      line.append(bytes, lua_strlen(L, -1));
    }
    lua_pop(L, 1);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
  return 0;
}

// Emulates a 32-bit strtoul: saturates at 4294967295 and wraps a minus sign. Returns false when no digit
// was read or anything but white space follows.
bool strtou32(const char* s, int base, uint32_t* result) {
  while (std::isspace(static_cast<unsigned char>(*s))) s++;
  bool negative = false;
  if (*s == '-' || *s == '+') negative = *s++ == '-';
  if (base == 16 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && std::isxdigit(static_cast<unsigned char>(s[2]))) {
    s += 2;
  }
  uint64_t value = 0;
  bool overflow = false, digits = false;
  for (;; s++) {
    int c = static_cast<unsigned char>(*s);
    int d = std::isdigit(c) ? c - '0' : std::isalpha(c) ? std::tolower(c) - 'a' + 10 : 99;
    if (d >= base) break;
    digits = true;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFu) {
      overflow = true;
      value = 0xFFFFFFFFu;
    }
  }
  if (!digits) return false;
  while (std::isspace(static_cast<unsigned char>(*s))) s++;
  if (*s != '\0') return false;
  uint32_t v = static_cast<uint32_t>(value);
  *result = overflow ? 0xFFFFFFFFu : (negative ? static_cast<uint32_t>(0u - v) : v);
  return true;
}

int luaB_tonumber(lua_State* L) {
  int base = optint(L, 2, 10);
  if (base == 10) {
    luaL_checkany(L, 1);
    if (lua_isnumber(L, 1)) {
      lua_pushnumber(L, lua_tonumber(L, 1));
      return 1;
    }
  } else {
    std::string text;
    bool usable = true;
    if (lua_type(L, 1) == LUA_TWSTRING) {
      size_t len;
      const lua_WChar* w = luaL_checklwstring(L, 1, &len);
      if (len > 99) usable = false;
      for (size_t i = 0; usable && i < len; i++) text += static_cast<char>(w[i] & 0xFF);
    } else {
      size_t len;
      const char* s = luaL_checklstring(L, 1, &len);
      text.assign(s, len);
    }
    luaL_argcheck(L, 2 <= base && base <= 36, 2, "base out of range");
    uint32_t n;
    if (usable && text.find('\0') == std::string::npos && strtou32(text.c_str(), base, &n)) {
      lua_pushnumber(L, n);
      return 1;
    }
  }
  lua_pushnil(L);
  return 1;
}

// Text of a value without "__tostring": the forms both tostring and towstring use.
void pushdefaulttext(lua_State* L, int idx) {
  switch (lua_type(L, idx)) {
    case LUA_TNUMBER: lua_pushstring(L, lua_tostring(L, idx)); break;
    case LUA_TSTRING: lua_pushvalue(L, idx); break;
    case LUA_TBOOLEAN: lua_pushstring(L, lua_toboolean(L, idx) ? "true" : "false"); break;
    case LUA_TNIL: lua_pushliteral(L, "nil"); break;
    case LUA_TTABLE: lua_pushfstring(L, "table: %p", lua_topointer(L, idx)); break;
    case LUA_TFUNCTION: lua_pushfstring(L, "function: %p", lua_topointer(L, idx)); break;
    case LUA_TUSERDATA:
    case LUA_TLIGHTUSERDATA: lua_pushfstring(L, "userdata: %p", lua_touserdata(L, idx)); break;
    case LUA_TTHREAD: lua_pushfstring(L, "thread: %p", static_cast<void*>(lua_tothread(L, idx))); break;
    case LUA_TWSTRING: {
      size_t len = lua_strlen(L, idx);
      const lua_WChar* w = lua_towstring(L, idx);
      std::string bytes(len, '\0');
      for (size_t i = 0; i < len; i++) bytes[i] = static_cast<char>(w[i] & 0xFF);
      lua_pushlstring(L, bytes.data(), len);
      break;
    }
    default: lua_pushliteral(L, "?"); break;
  }
}

int luaB_tostring(lua_State* L) {
  luaL_checkany(L, 1);
  if (luaL_callmeta(L, 1, "__tostring")) return 1;
  pushdefaulttext(L, 1);
  return 1;
}

void pushwidened(lua_State* L, const char* s, size_t len) {
  std::u16string units(len, u'\0');
  for (size_t i = 0; i < len; i++) units[i] = static_cast<unsigned char>(s[i]);  // zero extension
  lua_pushlwstring(L, reinterpret_cast<const lua_WChar*>(units.data()), len);
}

int luaB_towstring(lua_State* L) {
  switch (lua_type(L, 1)) {
    case LUA_TNIL: lua_pushliteral(L, "nil"); return 1;
    case LUA_TWSTRING: lua_settop(L, 1); return 1;
    case LUA_TNUMBER: {
      lua_settop(L, 1);
      lua_towstring(L, 1);
      return 1;
    }
    case LUA_TSTRING: {
      size_t len;
      const char* s = lua_tostring(L, 1);
      len = lua_strlen(L, 1);
      pushwidened(L, s, len);
      return 1;
    }
    case LUA_TTABLE:
      lua_pushfstring(L, "%s: %p", "table", lua_topointer(L, 1));
      break;
    case LUA_TFUNCTION:
    case LUA_TUSERDATA:
    case LUA_TTHREAD: pushdefaulttext(L, 1); break;
    default: return luaL_argerror(L, 1, "value expected");
  }
  pushwidened(L, lua_tostring(L, -1), lua_strlen(L, -1));
  return 1;
}

int luaB_error(lua_State* L) {
  int level = optint(L, 2, 1);
  luaL_checkany(L, 1);
  int t = lua_type(L, 1);
  if ((t != LUA_TSTRING && t != LUA_TNUMBER) || level == 0) {
    lua_settop(L, 1);  // a wide message stays as it is
  } else {
    luaL_where(L, level);
    lua_pushvalue(L, 1);
    lua_concat(L, 2);
  }
  return lua_error(L);
}

int luaB_getmetatable(lua_State* L) {
  luaL_checkany(L, 1);
  if (!lua_getmetatable(L, 1)) {
    lua_pushnil(L);
    return 1;
  }
  luaL_getmetafield(L, 1, "__metatable");
  return 1;
}

int luaB_setmetatable(lua_State* L) {
  int t = lua_type(L, 2);
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_argcheck(L, t == LUA_TNIL || t == LUA_TTABLE, 2, "nil or table expected");
  if (luaL_getmetafield(L, 1, "__metatable")) luaL_error(L, "cannot change a protected metatable");
  lua_settop(L, 2);
  lua_setmetatable(L, 1);
  return 1;
}

void getfunc(lua_State* L) {
  if (lua_isfunction(L, 1)) {
    lua_pushvalue(L, 1);
    return;
  }
  lua_Debug ar;
  int level = optint(L, 1, 1);
  luaL_argcheck(L, level >= 0, 1, "level must be non-negative");
  if (lua_getstack(L, level, &ar) == 0) luaL_argerror(L, 1, "invalid level");
  lua_getinfo(L, "f", &ar);
  if (lua_isnil(L, -1)) luaL_error(L, "no function environment for tail call at level %d", level);
}

// Pushes the "__fenv" field of the environment on top; true when it is present.
bool aux_getfenv(lua_State* L) {
  lua_getfenv(L, -1);
  lua_pushliteral(L, "__fenv");
  lua_rawget(L, -2);
  return !lua_isnil(L, -1);
}

int luaB_getfenv(lua_State* L) {
  getfunc(L);
  if (!aux_getfenv(L)) lua_pop(L, 1);
  return 1;
}

int luaB_setfenv(lua_State* L) {
  luaL_checktype(L, 2, LUA_TTABLE);
  getfunc(L);
  if (aux_getfenv(L)) luaL_error(L, "`setfenv' cannot change a protected environment");
  lua_pop(L, 2);
  lua_pushvalue(L, 2);
  if (lua_isnumber(L, 1) && lua_tonumber(L, 1) == 0) {
    lua_replace(L, LUA_GLOBALSINDEX);
  } else if (lua_setfenv(L, -2) == 0) {
    luaL_error(L, "`setfenv' cannot change environment of given function");
  }
  return 0;
}

int luaB_rawequal(lua_State* L) {
  luaL_checkany(L, 1);
  luaL_checkany(L, 2);
  lua_pushboolean(L, lua_rawequal(L, 1, 2));
  return 1;
}

int luaB_rawget(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_checkany(L, 2);
  lua_rawget(L, 1);
  return 1;
}

int luaB_rawset(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_checkany(L, 2);
  luaL_checkany(L, 3);
  lua_rawset(L, 1);
  return 1;
}

int luaB_gcinfo(lua_State* L) {
  lua_pushnumber(L, lua_getgccount(L));
  lua_pushnumber(L, lua_getgcthreshold(L));
  return 2;
}

int luaB_collectgarbage(lua_State* L) {
  lua_setgcthreshold(L, optint(L, 1, 0));
  return 0;
}

int luaB_type(lua_State* L) {
  luaL_checkany(L, 1);
  lua_pushstring(L, lua_typename(L, lua_type(L, 1)));
  return 1;
}

int luaB_next(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  lua_settop(L, 2);
  if (lua_next(L, 1)) return 2;
  lua_pushnil(L);
  return 1;
}

int luaB_pairs(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  lua_pushliteral(L, "next");
  lua_rawget(L, LUA_GLOBALSINDEX);
  lua_pushvalue(L, 1);
  lua_pushnil(L);
  return 3;
}

int luaB_ipairs(lua_State* L) {
  lua_Number i = lua_tonumber(L, 2);
  luaL_checktype(L, 1, LUA_TTABLE);
  if (i == 0 && lua_isnone(L, 2)) {
    lua_pushliteral(L, "ipairs");
    lua_rawget(L, LUA_GLOBALSINDEX);
    lua_pushvalue(L, 1);
    lua_pushnumber(L, 0);
    return 3;
  }
  i++;
  lua_pushnumber(L, i);
  if (!(i >= 1 && i <= 2147483647.0)) return 0;
  lua_rawgeti(L, 1, static_cast<int>(i));
  return lua_isnil(L, -1) ? 0 : 2;
}

int load_aux(lua_State* L, int status) {
  if (status == 0) return 1;
  lua_pushnil(L);
  lua_insert(L, -2);
  return 2;
}

int luaB_loadstring(lua_State* L) {
  size_t l;
  const char* s = luaL_checklstring(L, 1, &l);
  const char* chunkname = luaL_optstring(L, 2, s);
  return load_aux(L, luaL_loadbuffer(L, s, l, chunkname));
}

int luaB_loadfile(lua_State* L) {
  const char* fname = luaL_optstring(L, 1, nullptr);
  return load_aux(L, luaL_loadfile(L, fname));
}

int luaB_dofile(lua_State* L) {
  const char* fname = luaL_optstring(L, 1, nullptr);
  int n = lua_gettop(L);
  if (luaL_loadfile(L, fname) != 0) lua_error(L);
  lua_call(L, 0, LUA_MULTRET);
  return lua_gettop(L) - n;
}

int luaB_assert(lua_State* L) {
  luaL_checkany(L, 1);
  if (!lua_toboolean(L, 1)) return luaL_error(L, "%s", luaL_optstring(L, 2, "assertion failed!"));
  lua_settop(L, 1);
  return 1;
}

int luaB_unpack(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  int n = luaL_getn(L, 1);
  luaL_checkstack(L, n, "table too big to unpack");
  for (int i = 1; i <= n; i++) lua_rawgeti(L, 1, i);
  return n;
}

int luaB_pcall(lua_State* L) {
  luaL_checkany(L, 1);
  int status = lua_pcall(L, lua_gettop(L) - 1, LUA_MULTRET, 0);
  lua_pushboolean(L, status == 0);
  lua_insert(L, 1);
  return lua_gettop(L);
}

int luaB_xpcall(lua_State* L) {
  luaL_checkany(L, 2);
  lua_settop(L, 2);
  lua_insert(L, 1);  // the handler goes under the function
  int status = lua_pcall(L, 0, LUA_MULTRET, 1);
  lua_pushboolean(L, status == 0);
  lua_replace(L, 1);
  return lua_gettop(L);
}

int luaB_newproxy(lua_State* L) {
  lua_settop(L, 1);
  lua_newuserdata(L, 0);
  if (lua_toboolean(L, 1) == 0) return 1;  // no metatable
  if (lua_isboolean(L, 1)) {
    lua_newtable(L);
    lua_pushvalue(L, -1);
    lua_pushboolean(L, 1);
    lua_rawset(L, lua_upvalueindex(1));  // record it as a proxy metatable
  } else {
    bool validproxy = false;
    if (lua_getmetatable(L, 1)) {
      lua_rawget(L, lua_upvalueindex(1));
      validproxy = lua_toboolean(L, -1);
      lua_pop(L, 1);
    }
    luaL_argcheck(L, validproxy, 1, "boolean or proxy expected");
    lua_getmetatable(L, 1);
  }
  lua_setmetatable(L, 2);
  return 1;
}

// require

const char* getpath(lua_State* L) {
  lua_pushliteral(L, "LUA_PATH");
  lua_rawget(L, LUA_GLOBALSINDEX);
  if (lua_type(L, -1) == LUA_TSTRING) return lua_tostring(L, -1);
  lua_pop(L, 1);
  const char* path = std::getenv("LUA_PATH");
  lua_pushstring(L, path ? path : "?;?.lua");
  return lua_tostring(L, -1);
}

// The next template of the path, pushed; NULL at the end.
const char* pushnexttemplate(lua_State* L, const char* path) {
  while (*path == ';') path++;
  if (*path == '\0') return nullptr;
  const char* l = std::strchr(path, ';');
  if (l == nullptr) l = path + std::strlen(path);
  lua_pushlstring(L, path, static_cast<size_t>(l - path));
  return l;
}

void pushcomposedname(lua_State* L) {
  const char* path = lua_tostring(L, -1);
  int n = 0;
  const char* wild;
  while ((wild = std::strchr(path, '?')) != nullptr) {
    if (!lua_checkstack(L, 3)) luaL_error(L, "too many marks in a path component");
    lua_pushlstring(L, path, static_cast<size_t>(wild - path));
    lua_pushvalue(L, 1);
    path = wild + 1;
    n += 2;
  }
  lua_pushstring(L, path);
  lua_concat(L, n + 1);
}

int luaB_require(lua_State* L) {
  luaL_checkstring(L, 1);
  lua_settop(L, 1);
  lua_pushliteral(L, "_LOADED");
  lua_rawget(L, LUA_GLOBALSINDEX);
  if (!lua_istable(L, 2)) return luaL_error(L, "`_LOADED' is not a table");
  lua_pushvalue(L, 1);
  lua_rawget(L, 2);
  if (lua_toboolean(L, -1)) return 1;
  const char* path = getpath(L);  // at index 4
  int status = LUA_ERRFILE;
  while (status == LUA_ERRFILE) {
    lua_settop(L, 4);
    if ((path = pushnexttemplate(L, path)) == nullptr) break;
    pushcomposedname(L);
    status = luaL_loadfile(L, lua_tostring(L, -1));
  }
  switch (status) {
    case 0: {
      lua_pushliteral(L, "_REQUIREDNAME");
      lua_rawget(L, LUA_GLOBALSINDEX);
      lua_insert(L, -2);  // old _REQUIREDNAME under the chunk
      lua_pushliteral(L, "_REQUIREDNAME");
      lua_pushvalue(L, 1);
      lua_rawset(L, LUA_GLOBALSINDEX);
      lua_call(L, 0, 1);
      lua_insert(L, -2);  // result under the old name
      lua_pushliteral(L, "_REQUIREDNAME");
      lua_insert(L, -2);
      lua_rawset(L, LUA_GLOBALSINDEX);
      if (lua_isnil(L, -1)) {
        lua_pop(L, 1);
        lua_pushboolean(L, 1);
      }
      lua_pushvalue(L, 1);
      lua_pushvalue(L, -2);
      lua_rawset(L, 2);
      return 1;
    }
    case LUA_ERRFILE:
      return luaL_error(L, "could not load package `%s' from path `%s'", lua_tostring(L, 1), lua_tostring(L, 4));
    default:
      return luaL_error(L, "error loading package `%s' (%s)", lua_tostring(L, 1), lua_tostring(L, -1));
  }
}

const luaL_reg base_funcs[] = {
    {"error", luaB_error},
    {"getmetatable", luaB_getmetatable},
    {"setmetatable", luaB_setmetatable},
    {"getfenv", luaB_getfenv},
    {"setfenv", luaB_setfenv},
    {"next", luaB_next},
    {"ipairs", luaB_ipairs},
    {"pairs", luaB_pairs},
    {"print", luaB_print},
    {"tonumber", luaB_tonumber},
    {"tostring", luaB_tostring},
    {"towstring", luaB_towstring},
    {"type", luaB_type},
    {"assert", luaB_assert},
    {"unpack", luaB_unpack},
    {"rawequal", luaB_rawequal},
    {"rawget", luaB_rawget},
    {"rawset", luaB_rawset},
    {"pcall", luaB_pcall},
    {"xpcall", luaB_xpcall},
    {"collectgarbage", luaB_collectgarbage},
    {"gcinfo", luaB_gcinfo},
    {"loadfile", luaB_loadfile},
    {"dofile", luaB_dofile},
    {"loadstring", luaB_loadstring},
    {"require", luaB_require},
    {nullptr, nullptr},
};

// Coroutines.

int auxresume(lua_State* L, lua_State* co, int narg) {
  if (!lua_checkstack(co, narg)) luaL_error(L, "too many arguments to resume");
  lua_xmove(L, co, narg);
  int status = lua_resume(co, narg);
  if (status == 0) {
    int nres = lua_gettop(co);
    if (!lua_checkstack(L, nres)) luaL_error(L, "too many results to resume");
    lua_xmove(co, L, nres);
    return nres;
  }
  lua_xmove(co, L, 1);  // the error message
  return -1;
}

int luaB_coresume(lua_State* L) {
  lua_State* co = lua_tothread(L, 1);
  luaL_argcheck(L, co, 1, "coroutine expected");
  int r = auxresume(L, co, lua_gettop(L) - 1);
  if (r < 0) {
    lua_pushboolean(L, 0);
    lua_insert(L, -2);
    return 2;
  }
  lua_pushboolean(L, 1);
  lua_insert(L, -(r + 1));
  return r + 1;
}

int luaB_auxwrap(lua_State* L) {
  lua_State* co = lua_tothread(L, lua_upvalueindex(1));
  int r = auxresume(L, co, lua_gettop(L));
  if (r < 0) {
    int t = lua_type(L, -1);
    if (t == LUA_TSTRING || t == LUA_TNUMBER) {  // a wide message stays as it is
      luaL_where(L, 1);
      lua_insert(L, -2);
      lua_concat(L, 2);
    }
    lua_error(L);
  }
  return r;
}

int luaB_cocreate(lua_State* L) {
  lua_State* NL = lua_newthread(L);
  luaL_argcheck(L, lua_isfunction(L, 1) && !lua_iscfunction(L, 1), 1, "Lua function expected");
  lua_pushvalue(L, 1);
  lua_xmove(L, NL, 1);
  return 1;
}

int luaB_cowrap(lua_State* L) {
  luaB_cocreate(L);
  lua_pushcclosure(L, luaB_auxwrap, 1);
  return 1;
}

int luaB_yield(lua_State* L) { return lua_yield(L, lua_gettop(L)); }

int luaB_costatus(lua_State* L) {
  lua_State* co = lua_tothread(L, 1);
  luaL_argcheck(L, co, 1, "coroutine expected");
  if (L == co) {
    lua_pushliteral(L, "running");
  } else {
    lua_Debug ar;
    if (lua_getstack(co, 0, &ar) == 0 && lua_gettop(co) == 0) {
      lua_pushliteral(L, "dead");
    } else {
      lua_pushliteral(L, "suspended");
    }
  }
  return 1;
}

const luaL_reg co_funcs[] = {
    {"create", luaB_cocreate}, {"wrap", luaB_cowrap},     {"resume", luaB_coresume},
    {"yield", luaB_yield},     {"status", luaB_costatus}, {nullptr, nullptr},
};

// Registry names of the per-type metatables, by tag from 1.
const char* const typeslotnames[] = {"_boolean", "_lightuserdata", "_number", "_string", "_table",
                                     "_function", "_userdata", "_thread", "_wstring"};

}  // namespace

int luaopen_base(lua_State* L) {
  lua_pushliteral(L, "_G");
  lua_pushvalue(L, LUA_GLOBALSINDEX);
  luaL_openlib(L, nullptr, base_funcs, 0);
  lua_pushliteral(L, "_VERSION");
  lua_pushliteral(L, LUA_VERSION);
  lua_rawset(L, -3);
  lua_pushliteral(L, "newproxy");
  lua_newtable(L);  // records the metatables of proxies; weak keys, its own metatable
  lua_pushvalue(L, -1);
  lua_setmetatable(L, -2);
  lua_pushliteral(L, "__mode");
  lua_pushliteral(L, "k");
  lua_rawset(L, -3);
  lua_pushcclosure(L, luaB_newproxy, 1);
  lua_rawset(L, -3);
  lua_rawset(L, -1);  // _G._G = _G
  luaL_openlib(L, LUA_COLIBNAME, co_funcs, 0);
  lua_pushliteral(L, "_LOADED");
  lua_newtable(L);
  lua_rawset(L, LUA_GLOBALSINDEX);
  for (int tag = 1; tag <= 9; tag++) {
    lua_pushstring(L, typeslotnames[tag - 1]);
    lua_pushtypemetatable(L, tag);
    lua_rawset(L, LUA_REGISTRYINDEX);
  }
  return 0;
}
