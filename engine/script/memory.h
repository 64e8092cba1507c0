// Memory interface: every allocation, growth and free of the engine goes through luaM_realloc.
#pragma once

#include "engine/script/object.h"

// Reallocates `block` from oldsize to size bytes; size 0 frees. Raises the memory error on failure.
void* luaM_realloc(lua_State* L, void* block, size_t oldsize, size_t size);
// Grows an array of `size` elements (doubling, at least 4) up to `limit`, else raises `errormsg`.
void* luaM_growaux(lua_State* L, void* block, int* size, size_t elemsize, int limit, const char* errormsg);

template <typename T>
T* luaM_newvector(lua_State* L, int n) {
  return static_cast<T*>(luaM_realloc(L, nullptr, 0, sizeof(T) * static_cast<size_t>(n)));
}
template <typename T>
void luaM_freearray(lua_State* L, T* b, int n) {
  luaM_realloc(L, b, sizeof(T) * static_cast<size_t>(n), 0);
}
template <typename T>
void luaM_reallocvector(lua_State* L, T*& v, int oldn, int n) {
  v = static_cast<T*>(luaM_realloc(L, v, sizeof(T) * static_cast<size_t>(oldn), sizeof(T) * static_cast<size_t>(n)));
}
// Makes room for element `nelems` of v (size `size`), growing by doubling.
template <typename T>
void luaM_growvector(lua_State* L, T*& v, int nelems, int& size, int limit, const char* e) {
  if (nelems + 1 > size) v = static_cast<T*>(luaM_growaux(L, v, &size, sizeof(T), limit, e));
}
inline void luaM_free(lua_State* L, void* b, size_t s) { luaM_realloc(L, b, s, 0); }
