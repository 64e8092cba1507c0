// Entry points of the compiler and of the precompiled chunk format used by lua_load and lua_dump.
#pragma once

#include "engine/script/state.h"

// Compiles source text from the stream (chunk name in z->name) into the main prototype.
Proto* luaY_parser(lua_State* L, ZIO* z, Mbuffer* buff);
// Reads a precompiled chunk (first byte 27) from the stream.
Proto* luaU_undump(lua_State* L, ZIO* z, Mbuffer* buff);
// Writes a prototype in the precompiled format through the writer; returns the writer's last status.
int luaU_dump(lua_State* L, const Proto* f, lua_Chunkwriter w, void* data);
