// Chunk input stream and the growable scratch buffer.
#pragma once

#include <cstddef>

#include "engine/script/lua.h"

constexpr int EOZ = -1;  // end of stream

struct ZIO {
  size_t n;           // bytes left in the current block
  const char* p;      // read position
  lua_Chunkreader reader;
  void* data;
  const char* name;   // chunk name
  int wide;           // set by the chunk parser for a UTF-16LE source
  lua_State* L;
  // Where reading continues after a peek joined two blocks.
  const char* resumeP;
  size_t resumeN;
  char joined[1];
};

void luaZ_init(ZIO* z, lua_State* L, lua_Chunkreader reader, void* data, const char* name);
// Refills from the reader and returns the next byte (consumed), or EOZ.
int luaZ_fill(ZIO* z);
inline int zgetc(ZIO* z) { return z->n-- > 0 ? static_cast<unsigned char>(*z->p++) : luaZ_fill(z); }
// The next byte without consuming it, or EOZ.
int luaZ_lookahead(ZIO* z);
// The next two bytes as one little-endian 16-bit value without consuming them, or EOZ.
int luaZ_peek16(ZIO* z);
// Reads n bytes into b; returns the number of bytes missing (0 on success).
size_t luaZ_read(ZIO* z, void* b, size_t n);

struct Mbuffer {
  char* buffer;
  size_t size;
};

inline void luaZ_initbuffer(Mbuffer* buff) { buff->buffer = nullptr; buff->size = 0; }
// Makes the buffer hold at least n bytes (through the allocator, scratch flag set) and returns it.
char* luaZ_openspace(lua_State* L, Mbuffer* buff, size_t n);
void luaZ_freebuffer(lua_State* L, Mbuffer* buff);
