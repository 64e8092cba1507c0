#include "engine/scripthost/script_support.h"

#include <cstring>

#include "engine/core/base/log.h"
#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script_binding.h"

namespace {

// Lines "key -> value", two blanks of indent per level of nesting; nesting past ten blanks is cut
// to "...", which also ends the dump of a table that contains itself.
const char kDumpTableChunk[] = R"lua(
function _Internal_DumpEntry(key, value, indent)
  local line = string.rep(" ", indent) .. tostring(key) .. " -> "
  if type(value) == "table" then
    return line .. "\n" .. _Internal_DumpTable(value, indent + 2)
  end
  return line .. tostring(value) .. "\n"
end

function _Internal_DumpTable(t, indent)
  if indent > 10 then
    return string.rep(" ", indent) .. "...\n"
  end
  local text = ""
  for key, value in pairs(t) do
    text = text .. _Internal_DumpEntry(key, value, indent)
  end
  return text
end

function DumpTable(t)
  DebugOut("Dump Table: \n" .. _Internal_DumpTable(t, 0))
end
)lua";

// A deferred call carries up to six arguments.
const char kGetClosureChunk[] =
    "function GetClosure( f, ... ) return function() return f( arg[1], arg[2], arg[3], arg[4], arg[5], arg[6] ); "
    "end; end";

// "_ALERT": logs the error value and hands it on, so that the caller of a protected call still sees
// what went wrong.
int ScriptAlert(lua_State* L) {
    if (lua_gettop(L) == 0) lua_pushnil(L);
    LogPrintf("Lua error: %s", DescribeValue(L, -1).CStr());
    return 1;
}

// "toparams": items 1..n of a table as separate results.
int ScriptToParams(lua_State* L) {
    luaL_checktype(L, 1, LUA_TTABLE);
    int n = lua_getn(L, 1);
    luaL_checkstack(L, n, "too many items");
    for (int i = 1; i <= n; ++i) lua_rawgeti(L, 1, i);
    return n;
}

void DebugOut(TString) {}

void RunSupportChunk(lua_State* L, const char* chunk, const char* name) {
    int top = lua_gettop(L);
    if (lua_dobuffer(L, chunk, std::strlen(chunk), name) != 0) LogPrintf("Support chunk %s failed to run", name);
    lua_settop(L, top);
}

}  // namespace

void OpenSupportGlobals(lua_State* L) {
    lua_register(L, "_ALERT", ScriptAlert);
    lua_register(L, "toparams", ScriptToParams);
    BindFunction(L, "DebugOut", &DebugOut);
    RunSupportChunk(L, kDumpTableChunk, "DumpTable");
}

void PushGetClosure(lua_State* L) {
    lua_pushstring(L, "GetClosure");
    lua_gettable(L, LUA_GLOBALSINDEX);
    if (!lua_isnil(L, -1)) return;
    lua_pop(L, 1);
    RunSupportChunk(L, kGetClosureChunk, "GetClosure");
    lua_pushstring(L, "GetClosure");
    lua_gettable(L, LUA_GLOBALSINDEX);
}
