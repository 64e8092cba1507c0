// Script source from outside (asset scripts, text spliced into scripts). Every input either compiles or
// fails with a positioned syntax error; whatever compiles passes the bytecode checker when its dump is
// reloaded, and dumps again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/script/auxlib.h"
#include "tests/fuzz/script/fuzz_state.h"

namespace {

std::string Dump(lua_State* L) {
  std::string chunk;
  lua_dump(L, CollectChunk, &chunk);
  return chunk;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0 && data[0] == 27) return 0;  // precompiled chunks are the other target's
  FuzzState state;
  lua_State* L = state.L;
  int status = luaL_loadbuffer(L, reinterpret_cast<const char*>(data), size, "=fuzz");
  if (status == LUA_ERRSYNTAX) {
    if (std::strncmp(lua_tostring(L, -1), "fuzz:", 5) != 0) std::abort();
    return 0;
  }
  if (status == LUA_ERRMEM) return 0;
  if (status != 0) std::abort();
  std::string chunk = Dump(L);
  status = luaL_loadbuffer(L, chunk.data(), chunk.size(), "=fuzz");
  if (status == LUA_ERRMEM) return 0;
  if (status != 0) std::abort();
  if (Dump(L) != chunk) std::abort();
  return 0;
}
