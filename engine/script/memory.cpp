#include "engine/script/memory.h"

#include "engine/script/call.h"
#include "engine/script/debug.h"
#include "engine/script/state.h"

constexpr int MINSIZEARRAY = 4;

void* luaM_growaux(lua_State* L, void* block, int* size, size_t elemsize, int limit, const char* errormsg) {
  int newsize;
  if (*size >= limit / 2) {
    if (*size > limit - MINSIZEARRAY) luaG_runerror(L, "%s", errormsg);
    newsize = limit;
  } else {
    newsize = *size * 2;
    if (newsize < MINSIZEARRAY) newsize = MINSIZEARRAY;
  }
  size_t oldbytes = static_cast<size_t>(*size) * elemsize;
  void* newblock = luaM_realloc(L, block, oldbytes, static_cast<size_t>(newsize) * elemsize);
  *size = newsize;
  return newblock;
}

void* luaM_realloc(lua_State* L, void* block, size_t oldsize, size_t size) {
  global_State* g = G(L);
  if (size >= MAX_BLOCK) {
    luaG_runerror(L, "memory allocation error: block too big");
  }
  void* newblock = g->frealloc(g->ud, block, oldsize, size, 0, L->scratchFlag);
  if (newblock == nullptr && size > 0) luaD_throw(L, LUA_ERRMEM);
  g->nblocks = g->nblocks - oldsize + size;
  return newblock;
}
