#include "engine/scripthost/script_binding.h"

#include "engine/script/lua.h"

namespace script_binding_detail {

void Publish(lua_State* L, const char* name, lua_CFunction thunk) {
    lua_pushstring(L, name);
    lua_insert(L, -2);
    lua_pushcclosure(L, thunk, 1);
    lua_settable(L, LUA_GLOBALSINDEX);
}

}  // namespace script_binding_detail

TWindow* CallCreator(TWindowCreator creator) {
    TWindow* made = creator();
    return reinterpret_cast<void*>(made) == reinterpret_cast<void*>(creator) ? nullptr : made;
}
