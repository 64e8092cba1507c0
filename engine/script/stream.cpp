#include "engine/script/stream.h"

#include <cstring>

#include "engine/script/memory.h"
#include "engine/script/state.h"

void luaZ_init(ZIO* z, lua_State* L, lua_Chunkreader reader, void* data, const char* name) {
  z->n = 0;
  z->p = nullptr;
  z->reader = reader;
  z->data = data;
  z->name = name;
  z->wide = 0;
  z->L = L;
  z->resumeP = nullptr;
  z->resumeN = 0;
}

// Makes the next block current without consuming anything; false at the end of the input.
static bool nextblock(ZIO* z) {
  if (z->resumeN > 0) {
    z->p = z->resumeP;
    z->n = z->resumeN;
    z->resumeN = 0;
    return true;
  }
  size_t size = 0;
  const char* buff = z->reader(z->L, z->data, &size);
  if (buff == nullptr || size == 0) return false;
  z->p = buff;
  z->n = size;
  return true;
}

int luaZ_fill(ZIO* z) {
  if (!nextblock(z)) {
    z->n = 0;
    return EOZ;
  }
  z->n--;
  return static_cast<unsigned char>(*z->p++);
}

int luaZ_lookahead(ZIO* z) {
  if (z->n == 0 && !nextblock(z)) return EOZ;
  return static_cast<unsigned char>(*z->p);
}

int luaZ_peek16(ZIO* z) {
  if (z->n == 0 && !nextblock(z)) return EOZ;
  if (z->n >= 2) return static_cast<unsigned char>(z->p[0]) | (static_cast<unsigned char>(z->p[1]) << 8);
  // One byte left in this block: keep it aside and look into the next block.
  z->joined[0] = z->p[0];
  z->n = 0;
  if (!nextblock(z)) {
    z->p = z->joined;
    z->n = 1;
    return EOZ;
  }
  int second = static_cast<unsigned char>(z->p[0]);
  z->resumeP = z->p;
  z->resumeN = z->n;
  z->p = z->joined;
  z->n = 1;
  return static_cast<unsigned char>(z->joined[0]) | (second << 8);
}

size_t luaZ_read(ZIO* z, void* b, size_t n) {
  char* out = static_cast<char*>(b);
  while (n) {
    if (z->n == 0 && !nextblock(z)) return n;
    size_t m = n <= z->n ? n : z->n;
    std::memcpy(out, z->p, m);
    z->n -= m;
    z->p += m;
    out += m;
    n -= m;
  }
  return 0;
}

// Raises the allocator's scratch flag while the scratch buffer is resized.
namespace {
struct ScratchResize {
  lua_State* L;
  explicit ScratchResize(lua_State* state) : L(state) { L->scratchFlag = 1; }
  ~ScratchResize() { L->scratchFlag = 0; }
};
}  // namespace

char* luaZ_openspace(lua_State* L, Mbuffer* buff, size_t n) {
  if (n > buff->size) {
    if (n < 32) n = 32;
    ScratchResize resize(L);
    buff->buffer = static_cast<char*>(luaM_realloc(L, buff->buffer, buff->size, n));
    buff->size = n;
  }
  return buff->buffer;
}

void luaZ_freebuffer(lua_State* L, Mbuffer* buff) {
  ScratchResize resize(L);
  luaM_free(L, buff->buffer, buff->size);
  buff->buffer = nullptr;
  buff->size = 0;
}
