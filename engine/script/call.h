// Stacks, calls, errors and protected execution.
#pragma once

#include "engine/script/state.h"

void luaD_growstack(lua_State* L, int n);
// Ensures n free slots above the top.
inline void luaD_checkstack(lua_State* L, int n) {
  if (L->stack_last - L->top <= n) luaD_growstack(L, n);
}
void luaD_reallocstack(lua_State* L, int newsize);
void luaD_reallocCI(lua_State* L, int newsize);
// Makes the top slot usable after a push: grows when the top reaches the frame limit.
void luaD_checkpush(lua_State* L);

// Grows the frame array when it is full; "stack overflow" past the call limit.
void luaD_growCI(lua_State* L);

// Opens the frame of the Lua function at func, whose arguments lie above it (a vararg function's
// already collected): extra arguments are dropped, missing ones and the other registers are nil. The
// stack must have room for the frame. Inline, as every call from the interpreter goes through it.
inline void luaD_openLuaFrame(lua_State* L, StkId func, Proto* p, int nresults) {
  if (!p->is_vararg) {
    StkId lastparam = func + 1 + p->numparams;
    if (L->top > lastparam) L->top = lastparam;
  }
  if (L->ci + 1 == L->end_ci) luaD_growCI(L);
  CallInfo* ci = ++L->ci;
  L->base = ci->base = func + 1;
  ci->top = L->base + p->maxstacksize;
  ci->savedpc = p->code;
  ci->tailcalls = 0;
  ci->state = CI_SAVEDPC;
  ci->nresults = nresults;
  while (L->top < ci->top) setnilvalue(L->top++);
  L->top = ci->top;
}

// Outcome of starting a call.
enum PrecallResult { PCR_LUA, PCR_C, PCR_YIELD };
// Starts the call of the function at `func`; a Lua function gets a new frame, a C function runs to its end.
PrecallResult luaD_precall(lua_State* L, StkId func, int nresults);
// A callable value that is not a function: its "__call" metamethod moved below the arguments.
StkId luaD_tryfuncTM(lua_State* L, StkId func);
// Moves results starting at firstResult to the frame's function slot and drops the frame.
inline void luaD_poscall(lua_State* L, int wanted, StkId firstResult) {
  StkId res = L->base - 1;
  L->ci--;
  L->base = L->ci->base;
  while (wanted != 0 && firstResult < L->top) {
    setobj(res++, firstResult++);
    wanted--;
  }
  while (wanted-- > 0) setnilvalue(res++);
  L->top = res;
}
// Calls the function at `func` with the values above it, leaving nResults results.
void luaD_call(lua_State* L, StkId func, int nResults);

typedef void (*Pfunc)(lua_State* L, void* ud);
int luaD_pcall(lua_State* L, Pfunc func, void* u, ptrdiff_t oldtop, ptrdiff_t ef);
int luaD_rawrunprotected(lua_State* L, Pfunc f, void* ud);
// Parses or undumps a chunk in protected mode and pushes its closure.
int luaD_protectedparser(lua_State* L, ZIO* z, int bin);

[[noreturn]] void luaD_throw(lua_State* L, int errcode);
// Puts the error object of `errcode` at oldtop.
void luaD_seterrorobj(lua_State* L, int errcode, StkId oldtop);
