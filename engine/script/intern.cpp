#include "engine/script/intern.h"

#include <cstring>

#include "engine/script/debug.h"
#include "engine/script/gc.h"
#include "engine/script/memory.h"
#include "engine/script/state.h"

constexpr int MAX_STRTAB_SIZE = 1073741822;

// Hash of both kinds: from the end, every step-th element (bytes or 16-bit units).
template <typename Ch>
static lu_hash hashtext(const Ch* text, size_t len) {
  lu_hash h = static_cast<lu_hash>(len);
  size_t step = (len >> 5) + 1;
  for (size_t i = len; i >= step; i -= step) h = h ^ ((h << 5) + (h >> 2) + static_cast<lu_hash>(text[i - 1]));
  return h;
}

void luaS_resize(lua_State* L, int newsize) {
  GCObject** newhash = luaM_newvector<GCObject*>(L, newsize);
  stringtable* tb = &G(L)->strt;
  for (int i = 0; i < newsize; i++) newhash[i] = nullptr;
  for (int i = 0; i < tb->size; i++) {
    GCObject* p = tb->hash[i];
    while (p) {
      GCObject* next = p->next;
      lu_hash h = static_cast<TString*>(p)->hash;
      int h1 = static_cast<int>(h & static_cast<lu_hash>(newsize - 1));
      p->next = newhash[h1];
      newhash[h1] = p;
      p = next;
    }
  }
  luaM_freearray(L, tb->hash, tb->size);
  tb->size = newsize;
  tb->hash = newhash;
}

// Allocates and links a new string of `bytes` payload bytes (terminator included).
static TString* newstring(lua_State* L, int tag, const void* text, size_t len, size_t bytes, size_t unitsize,
                          lu_hash h) {
  TString* ts = static_cast<TString*>(luaM_realloc(L, nullptr, 0, sizeof(TString) + bytes));
  ts->tt = static_cast<lu_byte>(tag);
  ts->marked = 0;
  ts->gclist = nullptr;
  ts->reserved = 0;
  ts->hash = h;
  ts->len = static_cast<uint32_t>(len);
  if (len > 0) std::memcpy(ts + 1, text, len * unitsize);
  std::memset(reinterpret_cast<char*>(ts + 1) + len * unitsize, 0, unitsize);
  stringtable* tb = &G(L)->strt;
  int h1 = static_cast<int>(h & static_cast<lu_hash>(tb->size - 1));
  ts->next = tb->hash[h1];
  tb->hash[h1] = ts;
  tb->nuse++;
  if (tb->nuse > static_cast<uint32_t>(tb->size) && tb->size <= MAX_STRTAB_SIZE) luaS_resize(L, tb->size * 2);
  return ts;
}

static TString* intern(lua_State* L, int tag, const void* text, size_t len, size_t unitsize, lu_hash h) {
  stringtable* tb = &G(L)->strt;
  for (GCObject* o = tb->hash[h & static_cast<lu_hash>(tb->size - 1)]; o != nullptr; o = o->next) {
    TString* ts = static_cast<TString*>(o);
    if (ts->tt == tag && ts->len == len && (len == 0 || std::memcmp(text, ts + 1, len * unitsize) == 0)) {
      return ts;
    }
  }
  if (len >= MAX_BLOCK / unitsize) luaG_runerror(L, "memory allocation error: block too big");
  return newstring(L, tag, text, len, (len + 1) * unitsize, unitsize, h);
}

TString* luaS_newlstr(lua_State* L, const char* str, size_t len) {
  return intern(L, LUA_TSTRING, str, len, 1, hashtext(reinterpret_cast<const unsigned char*>(str), len));
}

TString* luaS_newlwstr(lua_State* L, const lua_WChar* units, size_t len) {
  return intern(L, LUA_TWSTRING, units, len, 2, hashtext(units, len));
}

TString* luaS_new(lua_State* L, const char* str) { return luaS_newlstr(L, str, std::strlen(str)); }

Udata* luaS_newudata(lua_State* L, size_t size) {
  if (size >= MAX_BLOCK - sizeudata(0)) luaG_runerror(L, "memory allocation error: block too big");
  Udata* u = static_cast<Udata*>(luaM_realloc(L, nullptr, 0, sizeudata(size)));
  u->marked = 1 << GC_NOTFINALISED;
  u->tt = LUA_TUSERDATA;
  u->gclist = nullptr;
  u->len = static_cast<uint32_t>(size);
  u->isbox = 0;
  // A new userdata starts with the metatable held in the per-type slot of userdata.
  global_State* g = G(L);
  const TObject* typemeta = &g->typemeta[LUA_TUSERDATA];
  u->metatable = ttistable(typemeta) ? hvalue(typemeta) : nullptr;
  u->next = g->rootudata;
  g->rootudata = u;
  return u;
}

void luaS_fix(TString* s) { s->marked |= 1 << GC_FIXED; }

void luaS_freeall(lua_State* L) {
  luaM_freearray(L, G(L)->strt.hash, G(L)->strt.size);
  G(L)->strt.hash = nullptr;
  G(L)->strt.size = 0;
}
