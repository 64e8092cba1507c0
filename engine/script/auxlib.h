// Auxiliary library: argument checks with their messages, errors with a source position, library
// registration, the "n" size of arrays, a string buffer (byte or wide) and running chunks from memory.
#pragma once

#include <cstddef>

#include "engine/script/lua.h"

struct luaL_reg {
  const char* name;
  lua_CFunction func;
};

void luaL_openlib(lua_State* L, const char* libname, const luaL_reg* l, int nup);
int luaL_getmetafield(lua_State* L, int obj, const char* event);
int luaL_callmeta(lua_State* L, int obj, const char* event);
int luaL_typerror(lua_State* L, int narg, const char* tname);
int luaL_argerror(lua_State* L, int narg, const char* extramsg);
const char* luaL_checklstring(lua_State* L, int narg, size_t* len);
const char* luaL_optlstring(lua_State* L, int narg, const char* def, size_t* len);
// A wide string, or a number converted in place into one; len receives the count of 16-bit units.
const lua_WChar* luaL_checklwstring(lua_State* L, int narg, size_t* len);
lua_Number luaL_checknumber(lua_State* L, int narg);
lua_Number luaL_optnumber(lua_State* L, int narg, lua_Number def);

void luaL_checkstack(lua_State* L, int space, const char* mes);
void luaL_checktype(lua_State* L, int narg, int t);
void luaL_checkany(lua_State* L, int narg);

// Pushes "%s:%d: " for the function at `level`, or "" when its line is unknown.
void luaL_where(lua_State* L, int level);
int luaL_error(lua_State* L, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

// Array sizes: the raw field "n", else the size recorded by luaL_setn, else the count of entries from 1.
int luaL_getn(lua_State* L, int t);
void luaL_setn(lua_State* L, int t, int n);

// Reads a chunk through the state's file reader (chunk name "@path"); LUA_ERRFILE when it cannot be read.
// The default reader reads disk files; a host installs its own for its virtual paths (nullptr restores
// the default). Every thread of the state shares the reader.
void luaL_setfilereader(lua_State* L, lua_FileReader reader);
int luaL_loadfile(lua_State* L, const char* filename);
int luaL_loadbuffer(lua_State* L, const char* buff, size_t size, const char* name);

// Load and run; a failure goes to the global "_ALERT" function, else to the standard error stream.
int lua_dobuffer(lua_State* L, const char* buff, size_t size, const char* name);
int lua_dostring(lua_State* L, const char* str);

// Integer arguments: the number truncated; NaN and values outside the int range give INT_MIN.
int luaL_checkint(lua_State* L, int narg);
int luaL_optint(lua_State* L, int narg, int def);

#define luaL_argcheck(L, cond, numarg, extramsg) ((void)((cond) || luaL_argerror(L, (numarg), (extramsg))))
#define luaL_checkstring(L, n) (luaL_checklstring(L, (n), nullptr))
#define luaL_optstring(L, n, d) (luaL_optlstring(L, (n), (d), nullptr))

// String buffer: pieces are kept on the script stack while the text grows.
constexpr int LUAL_BUFFERSIZE = 512;

struct luaL_Buffer {
  char* p;   // next free byte of `buffer`
  int lvl;   // pieces pushed on the stack
  int wide;  // 1 for a buffer of 16-bit units (a wide string)
  lua_State* L;
  char buffer[LUAL_BUFFERSIZE];
};

void luaL_buffinit(lua_State* L, luaL_Buffer* B);
void luaL_wbuffinit(lua_State* L, luaL_Buffer* B);
char* luaL_prepbuffer(luaL_Buffer* B);
void luaL_addlstring(luaL_Buffer* B, const char* s, size_t len);
void luaL_addstring(luaL_Buffer* B, const char* s);
void luaL_addlwstring(luaL_Buffer* B, const lua_WChar* s, size_t n);
// Appends the byte string (or number) on top of the stack and pops it.
void luaL_addvalue(luaL_Buffer* B);
void luaL_pushresult(luaL_Buffer* B);

inline void luaL_putchar(luaL_Buffer* B, char c) {
  if (B->p >= B->buffer + LUAL_BUFFERSIZE) luaL_prepbuffer(B);
  *B->p++ = c;
}
inline void luaL_addsize(luaL_Buffer* B, size_t n) { B->p += n; }
