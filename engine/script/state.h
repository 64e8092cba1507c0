// Global state, threads and call frames.
#pragma once

#include "engine/script/object.h"
#include "engine/script/stream.h"
#include "engine/script/tagmethods.h"

// Allocator hook: (user pointer, block, old size, new size, 0, scratch flag) -> new block; a new size of 0 frees.
typedef void* (*lua_Alloc)(void* ud, void* block, size_t oldsize, size_t newsize, int unused, int scratchFlag);

constexpr int EXTRA_STACK = 5;             // slots kept free above the stack's last usable one
constexpr int BASIC_CI_SIZE = 8;
constexpr int BASIC_STACK_SIZE = 2 * LUA_MINSTACK;
constexpr int LUA_MAXCALLS = 4096;         // call frames
constexpr int LUA_MAXCCALLS = 200;         // nested C calls
constexpr int MAXTAGLOOP = 100;            // chained __index / __newindex handlers
constexpr size_t MAX_BLOCK = 4294967293u;  // largest block the allocator is asked for

// Call frame state flags.
constexpr int CI_C = 1;         // a C function
constexpr int CI_HASFRAME = 2;  // a Lua function with its frame ready
constexpr int CI_CALLING = 4;   // a Lua function calling another one
constexpr int CI_SAVEDPC = 8;   // savedpc is current
constexpr int CI_YIELD = 16;    // a C function that yielded
constexpr int CI_TAILCALL = 32; // reached through a tail call

struct CallInfo {
  StkId base;   // first register; the function sits just below it
  StkId top;    // frame limit
  int state;
  const Instruction* savedpc;  // Lua frames: next instruction
  int nresults;                // results the caller wants (LUA_MULTRET for all)
  int tailcalls;               // tail calls lost in this frame
};

struct stringtable {
  GCObject** hash;
  uint32_t nuse;
  int size;
};

struct global_State {
  stringtable strt;
  lua_Alloc frealloc;
  void* ud;
  GCObject* rootgc;       // every collectable object but strings
  GCObject* rootudata;    // userdata, in creation order
  GCObject* tmudata;      // userdata awaiting finalisation
  Mbuffer buff;           // scratch buffer (concatenation, lexer, chunk loader)
  size_t GCthreshold;
  size_t nblocks;         // allocated bytes
  size_t deadmem;         // finalisable bytes noted by the last collection
  lua_CFunction panic;
  lua_FileReader fileReader;  // where luaL_loadfile reads files (the host may install its own)
  TObject _registry;
  TObject _defaultmeta;   // a table that is its own metatable
  lua_State* mainthread;
  Node dummynode[1];      // hash part of every empty table
  TString* tmname[TM_N];  // event names
  TObject typemeta[NUM_TAGS];  // per-type metatable slots
  int cCallDepth;         // nested C calls across all threads (guards the real C stack)
  bool gcStress;          // collect at every check
  bool inFinalisers;      // finalisers are running: nested collections leave them to the running loop
  int nprotected;         // protected calls active on the C stack, of any thread of this state
};

struct LuaJmp;  // an active protected call (call.cpp)

struct lua_State : GCObject {
  StkId top;
  StkId base;
  global_State* l_G;
  CallInfo* ci;
  StkId stack_last;       // last usable slot
  StkId stack;
  int stacksize;
  CallInfo* end_ci;
  CallInfo* base_ci;
  unsigned short size_ci;
  unsigned short nCcalls; // nested C calls of this thread since its resume
  TObject _gt;            // table of globals
  UpVal* openupval;
  LuaJmp* errorJmp;
  ptrdiff_t errfunc;      // stack offset of the current error handler
  int scratchFlag;
  int reserved;
};

inline global_State* G(lua_State* L) { return L->l_G; }
inline TObject* registry(lua_State* L) { return &G(L)->_registry; }
inline TObject* gt(lua_State* L) { return &L->_gt; }
inline StkId ci_func(CallInfo* ci) { return ci->base - 1; }
inline bool isLua(const CallInfo* ci) { return (ci->state & CI_C) == 0; }

// Stack offsets survive reallocation.
inline ptrdiff_t savestack(lua_State* L, StkId p) {
  return reinterpret_cast<char*>(p) - reinterpret_cast<char*>(L->stack);
}
inline StkId restorestack(lua_State* L, ptrdiff_t n) {
  return reinterpret_cast<StkId>(reinterpret_cast<char*>(L->stack) + n);
}
inline ptrdiff_t saveci(lua_State* L, CallInfo* p) {
  return reinterpret_cast<char*>(p) - reinterpret_cast<char*>(L->base_ci);
}
inline CallInfo* restoreci(lua_State* L, ptrdiff_t n) {
  return reinterpret_cast<CallInfo*>(reinterpret_cast<char*>(L->base_ci) + n);
}

lua_State* luaE_newthread(lua_State* L);
void luaE_freethread(lua_State* L, lua_State* L1);

// Sets the allocator of a state (tests inject failing allocators through it).
void luaE_setallocator(lua_State* L, lua_Alloc f, void* ud);
// Collect at every allocation check when on.
void luaE_setgcstress(lua_State* L, bool on);
