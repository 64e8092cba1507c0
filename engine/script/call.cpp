#include "engine/script/call.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/script/debug.h"
#include "engine/script/func.h"
#include "engine/script/gc.h"
#include "engine/script/intern.h"
#include "engine/script/memory.h"
#include "engine/script/table.h"
#include "engine/script/vm.h"

// An active protected call; errors unwind to it as a C++ exception.
struct LuaJmp {
  LuaJmp* previous;
  int status;
};

namespace {

struct LuaThrow {
  int status;
};

// Counts one nested C call for the lifetime of a luaD_call, also while an error unwinds it.
struct NestedCCall {
  lua_State* L;
  explicit NestedCCall(lua_State* state) : L(state) {
    L->nCcalls++;
    G(L)->cCallDepth++;
  }
  ~NestedCCall() {
    L->nCcalls--;
    G(L)->cCallDepth--;
  }
};

}  // namespace

[[noreturn]] void luaD_throw(lua_State* L, int errcode) {
  // Any protected call on the C stack catches it, also one of another thread (a resumer's).
  if (L->errorJmp || G(L)->nprotected > 0) throw LuaThrow{errcode};
  if (G(L)->panic) G(L)->panic(L);
  std::exit(EXIT_FAILURE);
}

int luaD_rawrunprotected(lua_State* L, Pfunc f, void* ud) {
  LuaJmp lj{L->errorJmp, 0};
  L->errorJmp = &lj;
  struct Active {
    global_State* g;
    explicit Active(global_State* gs) : g(gs) { g->nprotected++; }
    ~Active() { g->nprotected--; }
  } active(G(L));
  try {
    f(L, ud);
  } catch (const LuaThrow& e) {
    lj.status = e.status;
  } catch (const std::bad_alloc&) {
    lj.status = LUA_ERRMEM;
  }
  L->errorJmp = lj.previous;
  return lj.status;
}

void luaD_seterrorobj(lua_State* L, int errcode, StkId oldtop) {
  switch (errcode) {
    case LUA_ERRMEM: setsvalue(oldtop, luaS_newliteral(L, "not enough memory")); break;
    case LUA_ERRERR: setsvalue(oldtop, luaS_newliteral(L, "error in error handling")); break;
    default: setobj(oldtop, L->top - 1); break;
  }
  L->top = oldtop + 1;
}

// Stacks.

static void correctstack(lua_State* L, TObject* oldstack) {
  L->top = (L->top - oldstack) + L->stack;
  for (UpVal* up = L->openupval; up; up = up->openNext) up->v = (up->v - oldstack) + L->stack;
  for (CallInfo* ci = L->base_ci; ci <= L->ci; ci++) {
    ci->top = (ci->top - oldstack) + L->stack;
    ci->base = (ci->base - oldstack) + L->stack;
  }
  L->base = L->ci->base;
}

void luaD_reallocstack(lua_State* L, int newsize) {
  TObject* oldstack = L->stack;
  int realsize = newsize + 1 + EXTRA_STACK;
  TObject* newstack = luaM_newvector<TObject>(L, realsize);
  int keep = L->stacksize < realsize ? L->stacksize : realsize;
  std::memcpy(newstack, oldstack, sizeof(TObject) * static_cast<size_t>(keep));
  for (int i = keep; i < realsize; i++) setnilvalue(newstack + i);
  luaM_freearray(L, oldstack, L->stacksize);
  L->stack = newstack;
  L->stacksize = realsize;
  L->stack_last = L->stack + newsize;
  correctstack(L, oldstack);
}

void luaD_reallocCI(lua_State* L, int newsize) {
  CallInfo* oldci = L->base_ci;
  luaM_reallocvector(L, L->base_ci, L->size_ci, newsize);
  L->size_ci = static_cast<unsigned short>(newsize);
  L->ci = (L->ci - oldci) + L->base_ci;
  L->end_ci = L->base_ci + L->size_ci;
}

void luaD_growstack(lua_State* L, int n) {
  int used = L->stacksize - EXTRA_STACK - 1;
  if (n <= used) {
    luaD_reallocstack(L, 2 * used);
  } else {
    luaD_reallocstack(L, used + n + EXTRA_STACK);
  }
}

void luaD_checkpush(lua_State* L) {
  if (L->top >= L->ci->top) {
    if (L->stack_last - L->top <= 1) luaD_growstack(L, 1);
    L->ci->top = L->top + 1;
  }
}

void luaD_growCI(lua_State* L) {
  if (L->size_ci > LUA_MAXCALLS) luaD_throw(L, LUA_ERRERR);  // overflow while handling overflow
  luaD_reallocCI(L, 2 * L->size_ci);
  if (L->size_ci > LUA_MAXCALLS) luaG_runerror(L, "stack overflow");
}

static CallInfo* nextci(lua_State* L) {
  if (L->ci + 1 == L->end_ci) luaD_growCI(L);
  return ++L->ci;
}

// After an overflow the frame array returns to its limit so the next overflow is reported again.
static void restore_stack_limit(lua_State* L) {
  if (L->size_ci > LUA_MAXCALLS) {
    int inuse = static_cast<int>(L->ci - L->base_ci);
    if (inuse + 1 < LUA_MAXCALLS) luaD_reallocCI(L, LUA_MAXCALLS);
  }
}

// Calls.

// Collects the arguments beyond the fixed ones into the table "arg" with its field "n".
static void adjust_varargs(lua_State* L, int nfixargs, StkId base) {
  int actual = static_cast<int>(L->top - base);
  if (actual < nfixargs) {
    luaD_checkstack(L, nfixargs - actual);
    for (; actual < nfixargs; ++actual) setnilvalue(L->top++);
  }
  int extra = actual - nfixargs;
  Table* htab = luaH_new(L, extra, 1);
  for (int i = 0; i < extra; i++) setobj(luaH_setnum(L, htab, i + 1), L->top - extra + i);
  setnvalue(luaH_setstr(L, htab, luaS_newliteral(L, "n")), extra);
  L->top -= extra;
  sethvalue(L->top, htab);
  L->top++;
}

StkId luaD_tryfuncTM(lua_State* L, StkId func) {
  const TObject* tm = luaT_gettmbyobj(L, func, TM_CALL);
  if (!ttisfunction(tm)) luaG_typeerror(L, func, "call");
  ptrdiff_t funcr = savestack(L, func);
  luaD_checkstack(L, 1);
  func = restorestack(L, funcr);
  for (StkId p = L->top; p > func; p--) setobj(p, p - 1);
  L->top++;
  setobj(func, tm);
  return func;
}

PrecallResult luaD_precall(lua_State* L, StkId func, int nresults) {
  if (!ttisfunction(func)) func = luaD_tryfuncTM(L, func);
  ptrdiff_t funcr = savestack(L, func);
  Closure* cl = clvalue(func);
  if (!cl->c.isC) {
    Proto* p = cl->l.p;
    if (p->is_vararg) adjust_varargs(L, p->numparams, func + 1);
    luaD_checkstack(L, p->maxstacksize);  // both may move the stack
    luaD_openLuaFrame(L, restorestack(L, funcr), p, nresults);
    return PCR_LUA;
  }
  luaD_checkstack(L, LUA_MINSTACK);
  CallInfo* ci = nextci(L);
  L->base = ci->base = restorestack(L, funcr) + 1;
  ci->top = L->top + LUA_MINSTACK;
  ci->state = CI_C;
  ci->savedpc = nullptr;
  ci->tailcalls = 0;
  ci->nresults = nresults;
  int n = cl->c.f(L);
  if (n < 0) return PCR_YIELD;
  luaD_poscall(L, nresults, L->top - n);
  return PCR_C;
}

void luaD_call(lua_State* L, StkId func, int nResults) {
  NestedCCall nested(L);
  int depth = G(L)->cCallDepth;
  if (depth >= LUA_MAXCCALLS) {
    if (depth == LUA_MAXCCALLS) luaG_runerror(L, "C stack overflow");
    if (depth >= LUA_MAXCCALLS + (LUA_MAXCCALLS >> 3)) luaD_throw(L, LUA_ERRERR);
  }
  if (luaD_precall(L, func, nResults) == PCR_LUA) {
    StkId firstResult = luaV_execute(L, static_cast<int>(L->ci - L->base_ci));
    luaD_poscall(L, nResults, firstResult);
  }
  luaC_checkGC(L);
}

// Coroutines.

static void resume(lua_State* L, void* ud) {
  int nargs = *static_cast<int*>(ud);
  CallInfo* ci = L->ci;
  if (ci == L->base_ci) {
    if (luaD_precall(L, L->top - (nargs + 1), LUA_MULTRET) != PCR_LUA) return;
  } else {
    ci->state &= ~CI_YIELD;
    if (ci->state & CI_C) {
      // Finish the call interrupted by the yield: the resume arguments are its results.
      int nresults = ci->nresults;
      luaD_poscall(L, nresults, L->top - nargs);
      if (nresults >= 0) L->top = L->ci->top;
    }
  }
  StkId firstResult = luaV_execute(L, 1);
  if (firstResult != nullptr) luaD_poscall(L, LUA_MULTRET, firstResult);
}

static int resume_error(lua_State* L, const char* msg) {
  L->top = L->ci->base;
  setsvalue(L->top, luaS_new(L, msg));
  L->top++;
  luaD_checkpush(L);
  return LUA_ERRRUN;
}

int lua_resume(lua_State* L, int nargs) {
  if (L->ci == L->base_ci) {
    if (nargs >= L->top - L->base) return resume_error(L, "cannot resume dead coroutine");
  } else if (!(L->ci->state & CI_YIELD)) {
    return resume_error(L, "cannot resume non-suspended coroutine");
  }
  if (G(L)->cCallDepth >= LUA_MAXCCALLS) return resume_error(L, "C stack overflow");
  unsigned short oldnCcalls = L->nCcalls;
  L->nCcalls = 0;
  G(L)->cCallDepth++;
  int status = luaD_rawrunprotected(L, resume, &nargs);
  G(L)->cCallDepth--;
  if (status != 0) {
    L->ci = L->base_ci;
    L->base = L->ci->base;
    luaF_close(L, L->base);
    luaD_seterrorobj(L, status, L->base);
  }
  L->nCcalls = oldnCcalls;
  return status;
}

int lua_yield(lua_State* L, int nresults) {
  CallInfo* ci = L->ci;
  if (L->nCcalls > 0) luaG_runerror(L, "attempt to yield across metamethod/C-call boundary");
  if (ci->state & CI_C) {
    if ((ci - 1)->state & CI_C) luaG_runerror(L, "cannot yield a C function");
    if (L->top - nresults > L->base) {
      for (int i = 0; i < nresults; i++) setobj(L->base + i, L->top - nresults + i);
      L->top = L->base + nresults;
    }
  }
  ci->state |= CI_YIELD;
  return -1;
}

// Protected calls.

int luaD_pcall(lua_State* L, Pfunc func, void* u, ptrdiff_t old_top, ptrdiff_t ef) {
  unsigned short oldnCcalls = L->nCcalls;
  ptrdiff_t old_ci = saveci(L, L->ci);
  ptrdiff_t old_errfunc = L->errfunc;
  L->errfunc = ef;
  int status = luaD_rawrunprotected(L, func, u);
  if (status != 0) {
    StkId oldtop = restorestack(L, old_top);
    luaF_close(L, oldtop);
    luaD_seterrorobj(L, status, oldtop);
    L->nCcalls = oldnCcalls;
    L->ci = restoreci(L, old_ci);
    L->base = L->ci->base;
    restore_stack_limit(L);
  }
  L->errfunc = old_errfunc;
  return status;
}
