// Reads a coroutine's call frames. Apart from the other binding helpers: its implementation needs the
// engine's internals, whose names clash with the framework's.
#pragma once

#include <cstddef>

struct lua_State;

// True when the thread is suspended in a yield (false before it has ever run).
bool IsScriptYielded(lua_State* L);

// True when a C function running on the state may yield it: no C call lies between it and the
// coroutine's resume.
bool CanYield(lua_State* L);

// Where the running call frame starts in the thread's stack. Stack indices keep their meaning while
// this stays the same; starting or resuming a coroutine changes it.
ptrdiff_t FrameBase(lua_State* L);
