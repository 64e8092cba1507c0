// The support globals every state the host opens gets: "_ALERT", "DebugOut", "toparams" and the
// table dump ("DumpTable" with its helpers), plus "GetClosure", which deferred calls need.
#pragma once

struct lua_State;

void OpenSupportGlobals(lua_State* L);

// Pushes the global "GetClosure", defining it first when the state has none.
void PushGetClosure(lua_State* L);
