// Stacks, calls, errors and protected execution.
#pragma once

#include "engine/script/state.h"

// Ensures n free slots above the top.
void luaD_checkstack(lua_State* L, int n);
void luaD_growstack(lua_State* L, int n);
void luaD_reallocstack(lua_State* L, int newsize);
void luaD_reallocCI(lua_State* L, int newsize);
// Makes the top slot usable after a push: grows when the top reaches the frame limit.
void luaD_checkpush(lua_State* L);

// Outcome of starting a call.
enum PrecallResult { PCR_LUA, PCR_C, PCR_YIELD };
// Starts the call of the function at `func`; a Lua function gets a new frame, a C function runs to its end.
PrecallResult luaD_precall(lua_State* L, StkId func, int nresults);
// A callable value that is not a function: its "__call" metamethod moved below the arguments.
StkId luaD_tryfuncTM(lua_State* L, StkId func);
// Moves results starting at firstResult to the frame's function slot and drops the frame.
void luaD_poscall(lua_State* L, int wanted, StkId firstResult);
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
