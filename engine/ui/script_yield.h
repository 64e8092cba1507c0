// Reads a coroutine's call frames (kept apart: the engine's internals clash with the framework's names).
#pragma once

struct lua_State;

// True when the state's current call frame is not its base frame and is marked as yielded.
bool IsSuspendedInYield(lua_State* state);

// True when a C function running on the state may yield it: no C call lies between it and the
// coroutine's resume.
bool CanYield(lua_State* state);
