#include "engine/scripthost/script_binding.h"

#include "engine/core/base/log.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script.h"

bool PopBool(TScript& script) {
    lua_State* L = script.GetState();
    bool value = false;
    switch (lua_type(L, -1)) {
        case LUA_TNIL: break;
        case LUA_TBOOLEAN: value = lua_toboolean(L, -1) != 0; break;
        case LUA_TNUMBER: value = lua_tonumber(L, -1) != 0; break;  // NaN counts as true
        case LUA_TSTRING: LogPrintf("PopBool used on lua string %s", lua_tostring(L, -1)); break;
        default:
            LogPrintf("PopBool used on a type that isn't a number, a boolean, or nil. (type: %d)", lua_type(L, -1));
            break;
    }
    // Whatever was read is popped, so repeated reads never grow the stack.
    lua_pop(L, 1);
    return value;
}

int CallStringFunction(TStringFunction function, lua_State* L, int index) {
    const char* text = lua_tostring(L, index);
    function(text ? TString(text) : TString());
    return 0;
}

int StringFunctionAdaptor(lua_State* L) {
    auto target = *static_cast<TStringFunction*>(lua_touserdata(L, lua_upvalueindex(1)));
    return CallStringFunction(target, L, 1);
}

TWindow* CallCreator(TWindowCreator creator) {
    TWindow* made = creator();
    return reinterpret_cast<void*>(made) == reinterpret_cast<void*>(creator) ? nullptr : made;
}
