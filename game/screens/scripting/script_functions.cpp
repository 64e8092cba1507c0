#include "game/screens/scripting/script_functions.h"

#include "engine/scripthost/script.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script_link.h"

TScript* WindowManagerScript() {
    TWindowManager* manager = TWindowManager::Get();
    return manager ? dynamic_cast<TScript*>(manager->GetScript()) : nullptr;
}

namespace {

lua_State* WindowManagerState() {
    TScript* script = WindowManagerScript();
    return script ? script->GetState() : nullptr;
}

}  // namespace

ScriptFunctions::ScriptFunctions() : ScriptFunctions(WindowManagerState()) {}

ScriptFunctions::ScriptFunctions(lua_State* L) : state_(L) {
    lifetime_.emplace();
}
