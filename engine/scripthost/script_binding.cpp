#include "engine/scripthost/script_binding.h"

#include "engine/core/base/log.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script.h"

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
