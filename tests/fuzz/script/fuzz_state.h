// A bare script state for the fuzz targets: no libraries, and an allocator that refuses to hold more than
// a fixed number of bytes, so that hostile size hints end in "not enough memory" instead of exhausting
// the machine.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/script/lua.h"
#include "engine/script/state.h"

class FuzzState {
public:
  FuzzState() : L(lua_open()) { luaE_setallocator(L, Allocate, &grown_); }
  ~FuzzState() { lua_close(L); }
  FuzzState(const FuzzState&) = delete;
  FuzzState& operator=(const FuzzState&) = delete;

  lua_State* const L;

private:
  static constexpr int64_t kLimit = int64_t(64) << 20;

  // Counts growth since the state was opened (negative after freeing what lua_open made).
  static void* Allocate(void* ud, void* block, size_t oldsize, size_t newsize, int, int) {
    int64_t& grown = *static_cast<int64_t*>(ud);
    if (newsize == 0) {
      std::free(block);
      grown -= static_cast<int64_t>(oldsize);
      return nullptr;
    }
    int64_t growth = static_cast<int64_t>(newsize) - static_cast<int64_t>(oldsize);
    if (growth > kLimit - grown) return nullptr;
    void* moved = std::realloc(block, newsize);
    if (moved) grown += growth;
    return moved;
  }

  int64_t grown_ = 0;
};

inline int CollectChunk(lua_State*, const void* p, size_t size, void* out) {
  static_cast<std::string*>(out)->append(static_cast<const char*>(p), size);
  return 0;
}
