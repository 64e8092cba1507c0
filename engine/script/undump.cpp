// Reader of the precompiled chunk format: either byte order, every count checked against the bytes that
// actually arrive (arrays grow as their elements are read), every function checked by the bytecode checker.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/script/call.h"
#include "engine/script/checkcode.h"
#include "engine/script/chunkformat.h"
#include "engine/script/func.h"
#include "engine/script/intern.h"
#include "engine/script/load.h"
#include "engine/script/memory.h"
#include "engine/script/state.h"

// Deepest nesting of functions accepted (the parser cannot produce deeper ones).
constexpr int MAXFUNCTIONDEPTH = 200;

namespace {
struct LoadState {
  lua_State* L;
  ZIO* Z;
  const char* name;  // for messages
  bool swap;         // the chunk's byte order differs from ours
  int depth;         // nesting of the function being read
};
}  // namespace

[[noreturn]] static void error(LoadState* S, const char* fmt, ...) {
  va_list argp;
  va_start(argp, fmt);
  luaO_pushvfstring(S->L, fmt, argp);
  va_end(argp);
  luaD_throw(S->L, LUA_ERRRUN);
}

static void LoadBlock(LoadState* S, void* b, size_t size) {
  if (luaZ_read(S->Z, b, size) != 0) error(S, "unexpected end of file in %s", S->name);
}

static int LoadByte(LoadState* S) {
  unsigned char b;
  LoadBlock(S, &b, 1);
  return b;
}

// A 4-byte field in the chunk's byte order.
static uint32_t LoadUInt32(LoadState* S) {
  unsigned char b[4];
  LoadBlock(S, b, 4);
  if (S->swap) return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
  return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

static int LoadInt(LoadState* S) {
  int x = static_cast<int>(LoadUInt32(S));
  if (x < 0) error(S, "bad integer in %s", S->name);
  return x;
}

static lua_Number LoadNumber(LoadState* S) {
  unsigned char b[8];
  LoadBlock(S, b, 8);
  uint64_t bits = 0;
  for (int i = 0; i < 8; i++) bits |= uint64_t(b[S->swap ? 7 - i : i]) << (8 * i);
  lua_Number x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

// Reads n bytes in pieces, so that a count larger than the input fails before much memory is taken.
static void LoadBytes(LoadState* S, std::string* out, size_t n) {
  char piece[4096];
  while (n > 0) {
    size_t m = n < sizeof piece ? n : sizeof piece;
    LoadBlock(S, piece, m);
    out->append(piece, m);
    n -= m;
  }
}

// A string of the chunk; NULL for a size of 0.
static TString* LoadString(LoadState* S) {
  uint32_t size = LoadUInt32(S);  // length + 1
  if (size == 0) return nullptr;
  std::string bytes;
  LoadBytes(S, &bytes, size);
  return luaS_newlstr(S->L, bytes.data(), size - 1);
}

// A name (local, upvalue, constant): a missing one reads as the empty string.
static TString* LoadName(LoadState* S) {
  TString* s = LoadString(S);
  return s ? s : luaS_newlstr(S->L, "", 0);
}

static TString* LoadWString(LoadState* S) {
  uint32_t count = LoadUInt32(S);  // units + 1
  std::vector<lua_WChar> units;
  for (uint32_t i = 0; i < count; i++) {
    unsigned char b[2];
    LoadBlock(S, b, 2);
    units.push_back(static_cast<lua_WChar>(S->swap ? (b[0] << 8) | b[1] : b[0] | (b[1] << 8)));
  }
  size_t len = count > 0 ? count - 1 : 0;  // the last unit is the terminator
  static const lua_WChar empty = 0;
  return luaS_newlwstr(S->L, len > 0 ? units.data() : &empty, len);
}

// Reads a counted array element by element, then moves it into an engine-owned vector.
template <typename T, typename Reader>
static void LoadVector(LoadState* S, T*& v, int& size, Reader read) {
  int n = LoadInt(S);
  std::vector<T> items;
  for (int i = 0; i < n; i++) items.push_back(read());
  T* block = luaM_newvector<T>(S->L, n);
  std::copy(items.begin(), items.end(), block);
  v = block;
  size = n;
}

static Proto* LoadFunction(LoadState* S, TString* p);

static TObject LoadConstant(LoadState* S) {
  TObject o;
  int t = LoadByte(S);
  switch (t) {
    case LUA_TNUMBER: setnvalue(&o, LoadNumber(S)); break;
    case LUA_TSTRING: setsvalue(&o, LoadName(S)); break;
    case LUA_TWSTRING: setsvalue(&o, LoadWString(S)); break;
    case LUA_TNIL: setnilvalue(&o); break;
    default: error(S, "bad constant type (%d) in %s", t, S->name);
  }
  return o;
}

static Proto* LoadFunction(LoadState* S, TString* p) {
  if (++S->depth > MAXFUNCTIONDEPTH) error(S, "bad code in %s", S->name);
  lua_State* L = S->L;
  Proto* f = luaF_newproto(L);
  setgcvalue(L->top, f, LUA_TPROTO);  // anchored while it is read
  L->top++;
  luaD_checkpush(L);
  f->source = LoadString(S);
  if (f->source == nullptr) f->source = p;
  f->lineDefined = LoadInt(S);
  f->nups = static_cast<lu_byte>(LoadByte(S));
  f->numparams = static_cast<lu_byte>(LoadByte(S));
  f->is_vararg = static_cast<lu_byte>(LoadByte(S));
  f->maxstacksize = static_cast<lu_byte>(LoadByte(S));
  LoadVector(S, f->lineinfo, f->sizelineinfo, [S] { return static_cast<int>(LoadUInt32(S)); });
  LoadVector(S, f->locvars, f->sizelocvars, [S] {
    LocVar v;
    v.varname = LoadName(S);
    v.startpc = LoadInt(S);
    v.endpc = LoadInt(S);
    return v;
  });
  int nupnames = LoadInt(S);
  if (nupnames != 0 && nupnames != f->nups)
    error(S, "bad nupvalues in %s: read %d; expected %d", S->name, nupnames, f->nups);
  std::vector<TString*> upnames;
  for (int i = 0; i < nupnames; i++) upnames.push_back(LoadName(S));
  f->upvalues = luaM_newvector<TString*>(L, nupnames);
  std::copy(upnames.begin(), upnames.end(), f->upvalues);
  f->sizeupvalues = nupnames;
  LoadVector(S, f->k, f->sizek, [S] { return LoadConstant(S); });
  LoadVector(S, f->p, f->sizep, [S, f] { return LoadFunction(S, f->source); });
  LoadVector(S, f->code, f->sizecode, [S] { return static_cast<Instruction>(LoadUInt32(S)); });
  if (!luaG_checkcode(f)) error(S, "bad code in %s", S->name);
  L->top--;
  S->depth--;
  return f;
}

static void TestSize(LoadState* S, int native, const char* what) {
  int r = LoadByte(S);
  if (r != native) error(S, "virtual machine mismatch in %s: size of %s is %d but read %d", S->name, what, native, r);
}

static void LoadHeader(LoadState* S) {
  for (const char* s = LUA_SIGNATURE; *s; s++) {
    if (LoadByte(S) != static_cast<unsigned char>(*s)) error(S, "bad signature in %s", S->name);
  }
  int version = LoadByte(S);
  if (version > VERSION)
    error(S, "%s too new: read version %d.%d; expected at most %d.%d", S->name, version >> 4, version & 0xF,
          VERSION >> 4, VERSION & 0xF);
  if (version < VERSION0)
    error(S, "%s too old: read version %d.%d; expected at least %d.%d", S->name, version >> 4, version & 0xF,
          VERSION0 >> 4, VERSION0 & 0xF);
  S->swap = LoadByte(S) != 1;  // this machine is little-endian
  TestSize(S, CHUNK_SIZE_INT, "int");
  TestSize(S, CHUNK_SIZE_SIZET, "size_t");
  TestSize(S, CHUNK_SIZE_INSTRUCTION, "Instruction");
  TestSize(S, SIZE_OP, "OP");
  TestSize(S, SIZE_A, "A");
  TestSize(S, SIZE_B, "B");
  TestSize(S, SIZE_C, "C");
  TestSize(S, CHUNK_SIZE_NUMBER, "number");
  lua_Number x = LoadNumber(S);
  if (!(std::trunc(x) == std::trunc(TEST_NUMBER))) error(S, "unknown number format in %s", S->name);
}

Proto* luaU_undump(lua_State* L, ZIO* z, Mbuffer* buff) {
  LoadState S;
  const char* s = z->name ? z->name : "?";
  if (*s == '@' || *s == '=') {
    S.name = s + 1;
  } else if (*s == LUA_SIGNATURE[0]) {
    S.name = "binary string";
  } else {
    S.name = s;
  }
  S.L = L;
  S.Z = z;
  S.swap = false;
  S.depth = 0;
  LoadHeader(&S);
  // A main function without a source name takes the chunk's name.
  Proto* f = LoadFunction(&S, luaS_new(L, s));
  if (f->nups != 0) error(&S, "bad code in %s", S.name);  // a main function has no upvalues to receive
  return f;
}
