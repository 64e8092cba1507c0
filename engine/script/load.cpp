#include "engine/script/load.h"

#include "engine/script/call.h"
#include "engine/script/func.h"
#include "engine/script/gc.h"

namespace {
struct SParser {
  ZIO* z;
  Mbuffer buff;
  int bin;
};
}  // namespace

static void f_parser(lua_State* L, void* ud) {
  SParser* p = static_cast<SParser*>(ud);
  luaC_checkGC(L);
  Proto* tf = p->bin ? luaU_undump(L, p->z, &p->buff) : luaY_parser(L, p->z, &p->buff);
  Closure* cl = luaF_newLclosure(L, 0, gt(L));
  cl->l.p = tf;
  setclvalue(L->top, cl);
  L->top++;
  luaD_checkpush(L);
}

int luaD_protectedparser(lua_State* L, ZIO* z, int bin) {
  SParser p;
  p.z = z;
  p.bin = bin;
  luaZ_initbuffer(&p.buff);
  int status = luaD_pcall(L, f_parser, &p, savestack(L, L->top), L->errfunc);
  luaZ_freebuffer(L, &p.buff);
  return status;
}

constexpr int LUA_SIGNATURE_FIRST = 27;  // first byte of a precompiled chunk

int lua_load(lua_State* L, lua_Chunkreader reader, void* data, const char* chunkname) {
  if (chunkname == nullptr) chunkname = "?";
  ZIO z;
  luaZ_init(&z, L, reader, data, chunkname);
  int c = luaZ_lookahead(&z);
  return luaD_protectedparser(L, &z, c == LUA_SIGNATURE_FIRST);
}

int lua_dump(lua_State* L, lua_Chunkwriter writer, void* data) {
  TObject* o = L->top - 1;
  if (!isLfunction(o) || clvalue(o)->l.nupvalues != 0) return 0;
  luaU_dump(L, clvalue(o)->l.p, writer, data);
  return 1;
}
