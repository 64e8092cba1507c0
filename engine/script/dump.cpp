// Writer of the precompiled chunk format (always little-endian, 4-byte int / size / instruction).
#include <cstring>

#include "engine/script/chunkformat.h"
#include "engine/script/load.h"

namespace {
struct DumpState {
  lua_State* L;
  lua_Chunkwriter writer;
  void* data;
  int status;  // the writer's last answer; writing stops at the first failure
};
}  // namespace

static void DumpBlock(const void* b, size_t size, DumpState* D) {
  if (D->status == 0) D->status = D->writer(D->L, b, size, D->data);
}

static void DumpByte(int y, DumpState* D) {
  char x = static_cast<char>(y);
  DumpBlock(&x, 1, D);
}

// Little-endian bytes of a 32-bit value.
static void DumpUInt32(uint32_t x, DumpState* D) {
  unsigned char b[4] = {static_cast<unsigned char>(x), static_cast<unsigned char>(x >> 8),
                        static_cast<unsigned char>(x >> 16), static_cast<unsigned char>(x >> 24)};
  DumpBlock(b, 4, D);
}

static void DumpInt(int x, DumpState* D) { DumpUInt32(static_cast<uint32_t>(x), D); }

static void DumpNumber(lua_Number x, DumpState* D) {
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  DumpUInt32(static_cast<uint32_t>(bits), D);
  DumpUInt32(static_cast<uint32_t>(bits >> 32), D);
}

static void DumpString(const TString* s, DumpState* D) {
  if (s == nullptr) {
    DumpUInt32(0, D);
    return;
  }
  DumpUInt32(s->len + 1, D);
  DumpBlock(getstr(s), s->len + 1, D);
}

static void DumpWString(const TString* s, DumpState* D) {
  DumpUInt32(s->len + 1, D);
  const lua_WChar* units = getwstr(s);
  for (uint32_t i = 0; i <= s->len; i++) {
    unsigned char b[2] = {static_cast<unsigned char>(units[i]), static_cast<unsigned char>(units[i] >> 8)};
    DumpBlock(b, 2, D);
  }
}

static void DumpFunction(const Proto* f, const TString* p, DumpState* D);

static void DumpConstants(const Proto* f, DumpState* D) {
  DumpInt(f->sizek, D);
  for (int i = 0; i < f->sizek; i++) {
    const TObject* o = &f->k[i];
    DumpByte(ttype(o), D);
    switch (ttype(o)) {
      case LUA_TNUMBER: DumpNumber(nvalue(o), D); break;
      case LUA_TSTRING: DumpString(tsvalue(o), D); break;
      case LUA_TWSTRING: DumpWString(tsvalue(o), D); break;
      default: break;  // nil
    }
  }
  DumpInt(f->sizep, D);
  for (int i = 0; i < f->sizep; i++) DumpFunction(f->p[i], f->source, D);
}

static void DumpFunction(const Proto* f, const TString* p, DumpState* D) {
  DumpString(f->source == p ? nullptr : f->source, D);
  DumpInt(f->lineDefined, D);
  DumpByte(f->nups, D);
  DumpByte(f->numparams, D);
  DumpByte(f->is_vararg, D);
  DumpByte(f->maxstacksize, D);
  DumpInt(f->sizelineinfo, D);
  for (int i = 0; i < f->sizelineinfo; i++) DumpInt(f->lineinfo[i], D);
  DumpInt(f->sizelocvars, D);
  for (int i = 0; i < f->sizelocvars; i++) {
    DumpString(f->locvars[i].varname, D);
    DumpInt(f->locvars[i].startpc, D);
    DumpInt(f->locvars[i].endpc, D);
  }
  DumpInt(f->sizeupvalues, D);
  for (int i = 0; i < f->sizeupvalues; i++) DumpString(f->upvalues[i], D);
  DumpConstants(f, D);
  DumpInt(f->sizecode, D);
  for (int i = 0; i < f->sizecode; i++) DumpUInt32(f->code[i], D);
}

static void DumpHeader(DumpState* D) {
  DumpBlock(LUA_SIGNATURE, sizeof(LUA_SIGNATURE) - 1, D);
  DumpByte(VERSION, D);
  DumpByte(1, D);  // little-endian
  DumpByte(CHUNK_SIZE_INT, D);
  DumpByte(CHUNK_SIZE_SIZET, D);
  DumpByte(CHUNK_SIZE_INSTRUCTION, D);
  DumpByte(SIZE_OP, D);
  DumpByte(SIZE_A, D);
  DumpByte(SIZE_B, D);
  DumpByte(SIZE_C, D);
  DumpByte(CHUNK_SIZE_NUMBER, D);
  DumpNumber(TEST_NUMBER, D);
}

int luaU_dump(lua_State* L, const Proto* f, lua_Chunkwriter w, void* data) {
  DumpState D{L, w, data, 0};
  DumpHeader(&D);
  DumpFunction(f, nullptr, &D);
  return D.status;
}
