#include "engine/scripthost/script_stack.h"

#include "engine/core/base/log.h"
#include "engine/script/lua.h"

TString GetLuaString(lua_State* L, int index) {
    const char* text = lua_isstring(L, index) ? lua_tostring(L, index) : nullptr;
    return text ? TString(text, static_cast<unsigned>(lua_strlen(L, index))) : TString();
}

double PopNumber(lua_State* L) {
    double value = lua_tonumber(L, -1);
    lua_pop(L, 1);
    return value;
}

TString PopString(lua_State* L) {
    TString value = GetLuaString(L, -1);
    lua_pop(L, 1);
    return value;
}

TScriptColor PopColor(lua_State* L, const TScriptColor& fallback) {
    TScriptColor color = fallback;
    if (lua_istable(L, -1)) {
        for (int i = 0; i < 4; ++i) {
            lua_pushnumber(L, i + 1);
            lua_gettable(L, -2);
            color[i] = static_cast<float>(PopNumber(L));
        }
    }
    lua_pop(L, 1);
    return color;
}

bool PopBool(lua_State* L) {
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

TString DescribeValue(lua_State* L, int index) {
    switch (lua_type(L, index)) {
        case LUA_TNONE:
        case LUA_TNIL: return "nil";
        case LUA_TBOOLEAN: return lua_toboolean(L, index) ? "true" : "false";
        case LUA_TNUMBER:
        case LUA_TSTRING: return GetLuaString(L, index);
        default: return TString::Format("%s: %p", lua_typename(L, lua_type(L, index)), lua_topointer(L, index));
    }
}
