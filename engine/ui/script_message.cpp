#include "engine/ui/script_message.h"

#include "engine/script/lua.h"

namespace {

constexpr const char* kMetatableKey = "qvMessageMetatable";

void PushMetatable(lua_State* L) {
    lua_pushstring(L, kMetatableKey);
    lua_rawget(L, LUA_REGISTRYINDEX);
}

// True when the value at index is a pointer box carrying the message metatable.
bool IsScriptMessage(lua_State* L, int index) {
    if (lua_type(L, index) != LUA_TUSERDATA || !lua_getmetatable(L, index)) return false;
    PushMetatable(L);
    bool same = lua_rawequal(L, -1, -2) != 0;
    lua_pop(L, 2);
    return same;
}

int CollectMessage(lua_State* L) {
    delete ToScriptMessage(L, 1);
    return 0;
}

int IndexMessage(lua_State* L) {
    TMessage* message = ToScriptMessage(L, 1);
    if (!message) return 0;
    const char* key = lua_tostring(L, 2);
    TString field = key ? key : "";
    if (field == "type") {
        lua_pushnumber(L, message->GetType());
    } else if (field == "name") {
        lua_pushlstring(L, message->GetName().CStr(), message->GetName().Length());
    } else {
        lua_pushnil(L);
    }
    return 1;
}

}  // namespace

void InstallScriptMessages(lua_State* L) {
    lua_pushstring(L, kMetatableKey);
    lua_newtable(L);
    lua_pushstring(L, "__gc");
    lua_pushcfunction(L, &CollectMessage);
    lua_rawset(L, -3);
    lua_pushstring(L, "__index");
    lua_pushcfunction(L, &IndexMessage);
    lua_rawset(L, -3);
    lua_rawset(L, LUA_REGISTRYINDEX);
}

void PushScriptMessage(lua_State* L, TMessage* message) {
    lua_pushuserpointer(L, message);
    PushMetatable(L);
    lua_setmetatable(L, -2);
}

TMessage* ToScriptMessage(lua_State* L, int index) {
    if (!IsScriptMessage(L, index)) return nullptr;
    return static_cast<TMessage*>(lua_touserdata(L, index));
}

TLuaMessageWrapper::TLuaMessageWrapper(lua_State* L) : TLuaMessageWrapper(L, ToScriptMessage(L, -1)) {}

TLuaMessageWrapper::TLuaMessageWrapper(lua_State* L, TMessage* original)
    : TMessage(original ? original->GetType() : kGeneric, original ? original->GetName() : TString(),
               original ? original->GetTarget() : nullptr),
      held_(L) {}

TClassId TLuaMessageWrapper::ClassId() {
    static char tag;
    return &tag;
}
