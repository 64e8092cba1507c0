#include "game/screens/scripting/script_calls.h"

#include "engine/script/lua.h"
#include "engine/scripthost/script.h"
#include "engine/scripthost/script_refs.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script_link.h"
#include "game/screens/scripting/script_functions.h"

void RunScriptLine(const TString& line) {
    TWindowManager* manager = TWindowManager::Get();
    if (manager && manager->GetScript()) manager->GetScript()->DoLuaString(line);
}

void CallScriptFunction(const TString& name) {
    TScript* script = WindowManagerScript();
    if (!script) return;
    lua_State* L = script->GetState();
    TLuaStackGuard guard(L);
    lua_pushstring(L, name.CStr());
    lua_gettable(L, LUA_GLOBALSINDEX);
    script->RunFunction(0, 0);
}
