#include "engine/script/state.h"

#include <cstdlib>
#include <new>

#include "engine/script/call.h"
#include "engine/script/func.h"
#include "engine/script/gc.h"
#include "engine/script/intern.h"
#include "engine/script/lex.h"
#include "engine/script/memory.h"
#include "engine/script/table.h"

// Error texts that must exist even when no memory is left.
static const char MEMERRMSG[] = "not enough memory";
static const char ERRERRMSG[] = "error in error handling";

static void* defaultalloc(void*, void* block, size_t, size_t newsize, int, int) {
  if (newsize == 0) {
    std::free(block);
    return nullptr;
  }
  return std::realloc(block, newsize);
}

// The main thread and the global state live in one block.
struct MainBlock {
  lua_State thread;
  global_State global;
};

static void stack_init(lua_State* L1, lua_State* L) {
  L1->stack = luaM_newvector<TObject>(L, BASIC_STACK_SIZE + EXTRA_STACK);
  L1->stacksize = BASIC_STACK_SIZE + EXTRA_STACK;
  L1->top = L1->stack;
  L1->stack_last = L1->stack + (L1->stacksize - EXTRA_STACK) - 1;
  for (int i = 0; i < L1->stacksize; i++) setnilvalue(L1->stack + i);
  L1->base_ci = luaM_newvector<CallInfo>(L, BASIC_CI_SIZE);
  L1->ci = L1->base_ci;
  L1->ci->state = CI_C;
  setnilvalue(L1->top++);  // the base frame's "function" slot
  L1->base = L1->ci->base = L1->top;
  L1->ci->top = L1->top + LUA_MINSTACK;
  L1->ci->savedpc = nullptr;
  L1->ci->nresults = 0;
  L1->ci->tailcalls = 0;
  L1->size_ci = BASIC_CI_SIZE;
  L1->end_ci = L1->base_ci + L1->size_ci;
}

static void freestack(lua_State* L, lua_State* L1) {
  luaM_freearray(L, L1->base_ci, L1->size_ci);
  luaM_freearray(L, L1->stack, L1->stacksize);
}

static void preinit_state(lua_State* L) {
  L->stack = nullptr;
  L->stacksize = 0;
  L->errorJmp = nullptr;
  L->nCcalls = 0;
  L->base_ci = L->ci = nullptr;
  L->size_ci = 0;
  L->errfunc = 0;
  L->openupval = nullptr;
  L->scratchFlag = 0;
  L->reserved = 0;
  L->gclist = nullptr;
  setnilvalue(gt(L));
}

// Builds everything the global state holds; runs protected.
static void f_luaopen(lua_State* L, void*) {
  global_State* g = G(L);
  stack_init(L, L);
  luaS_resize(L, 32);
  luaT_init(L);
  luaX_init(L);  // reserved words
  luaS_fix(luaS_newlstr(L, MEMERRMSG, sizeof(MEMERRMSG) - 1));
  luaS_fix(luaS_newlstr(L, ERRERRMSG, sizeof(ERRERRMSG) - 1));
  // The default metatable is its own metatable; every new table gets it.
  Table* dm = luaH_new(L, 0, 0);
  dm->metatable = dm;
  sethvalue(&g->_defaultmeta, dm);
  sethvalue(gt(L), luaH_new(L, 0, 4));
  sethvalue(registry(L), luaH_new(L, 4, 4));
  for (int tag = 1; tag < NUM_TAGS; tag++) sethvalue(&g->typemeta[tag], luaH_new(L, 0, 0));
  g->GCthreshold = 4 * g->nblocks;
}

static void close_state(lua_State* L) {
  global_State* g = G(L);
  luaF_close(L, L->stack);
  luaC_collect(L, 1);
  luaS_freeall(L);
  luaZ_freebuffer(L, &g->buff);
  freestack(L, L);
  std::free(reinterpret_cast<MainBlock*>(L));
}

lua_State* lua_open() {
  MainBlock* block = static_cast<MainBlock*>(std::malloc(sizeof(MainBlock)));
  if (block == nullptr) return nullptr;
  lua_State* L = new (&block->thread) lua_State();
  global_State* g = new (&block->global) global_State();
  L->tt = LUA_TTHREAD;
  L->marked = 0;
  L->next = nullptr;
  preinit_state(L);
  L->l_G = g;
  g->mainthread = L;
  g->frealloc = defaultalloc;
  g->ud = nullptr;
  g->strt.size = 0;
  g->strt.nuse = 0;
  g->strt.hash = nullptr;
  setnilvalue(registry(L));
  setnilvalue(&g->_defaultmeta);
  for (int i = 0; i < NUM_TAGS; i++) setnilvalue(&g->typemeta[i]);
  luaZ_initbuffer(&g->buff);
  g->panic = nullptr;
  g->fileReader = nullptr;
  g->rootgc = g->rootudata = g->tmudata = nullptr;
  g->deadmem = 0;
  g->cCallDepth = 0;
  g->gcStress = false;
  g->inFinalisers = false;
  g->nprotected = 0;
  g->dummynode->next = nullptr;
  setnilvalue(&g->dummynode->i_key);
  setnilvalue(&g->dummynode->i_val);
  for (int i = 0; i < TM_N; i++) g->tmname[i] = nullptr;
  g->nblocks = sizeof(MainBlock);
  g->GCthreshold = static_cast<size_t>(-1);  // no collection while the state is being built
  if (luaD_rawrunprotected(L, f_luaopen, nullptr) != 0) {
    close_state(L);
    return nullptr;
  }
  return L;
}

lua_State* luaE_newthread(lua_State* L) {
  lua_State* L1 = static_cast<lua_State*>(luaM_realloc(L, nullptr, 0, sizeof(lua_State)));
  new (L1) lua_State();
  luaC_link(L, L1, LUA_TTHREAD);
  preinit_state(L1);
  L1->l_G = G(L);
  stack_init(L1, L);  // on failure the collector frees the half-built thread
  setobj(gt(L1), gt(L));
  return L1;
}

void luaE_freethread(lua_State* L, lua_State* L1) {
  luaF_close(L1, L1->stack);
  freestack(L, L1);
  luaM_free(L, L1, sizeof(lua_State));
}

void luaE_setallocator(lua_State* L, lua_Alloc f, void* ud) {
  G(L)->frealloc = f;
  G(L)->ud = ud;
}

void luaE_setgcstress(lua_State* L, bool on) { G(L)->gcStress = on; }

static void callallgcTM(lua_State* L, void*) { luaC_callGCTM(L); }

void lua_close(lua_State* L) {
  L = G(L)->mainthread;
  luaF_close(L, L->stack);
  luaC_separateudata(L, 1);
  L->errfunc = 0;
  do {
    L->ci = L->base_ci;
    L->base = L->top = L->ci->base;
    L->nCcalls = 0;
  } while (luaD_rawrunprotected(L, callallgcTM, nullptr) != 0);
  close_state(L);
}
