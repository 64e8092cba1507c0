#include "engine/scripthost/script_refs.h"

#include "engine/core/base/log.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script.h"

TLuaStackGuard::TLuaStackGuard(lua_State* L) : state_(L), top_(lua_gettop(L)) {}

TLuaStackGuard::~TLuaStackGuard() {
    lua_settop(state_, top_);
}

TLuaObjectWrapper::TLuaObjectWrapper(lua_State* L) : state_(L) {
    lua_pushlightuserdata(L, this);
    lua_insert(L, -2);
    lua_settable(L, LUA_REGISTRYINDEX);
}

TLuaObjectWrapper::~TLuaObjectWrapper() {
    lua_pushlightuserdata(state_, this);
    lua_pushnil(state_);
    lua_settable(state_, LUA_REGISTRYINDEX);
}

void TLuaObjectWrapper::Push() const {
    lua_pushlightuserdata(state_, const_cast<TLuaObjectWrapper*>(this));
    lua_gettable(state_, LUA_REGISTRYINDEX);
}

void TLuaObjectWrapper::DeleteLater() {
    if (TScript* script = TScript::FromState(state_)) {
        script->DeleteLater(this);
    } else {
        // Nobody would ever delete it; the caller may still be using it, so it stays.
        LogPrintf("TLuaObjectWrapper::DeleteLater: the state has no _SCRIPT");
    }
}

void TLuaFunction::CallNow() {
    TLuaStackGuard guard(state_);
    Push();
    if (!lua_isfunction(state_, -1)) return;
    lua_pushstring(state_, "_ALERT");
    lua_gettable(state_, LUA_GLOBALSINDEX);
    lua_insert(state_, -2);
    lua_pcall(state_, 0, 1, lua_gettop(state_) - 1);
}

bool TLuaTable::PushItem(int key) const {
    Push();
    lua_pushnumber(state_, key);
    lua_gettable(state_, -2);
    lua_remove(state_, -2);
    if (!lua_isnil(state_, -1)) return true;
    lua_pop(state_, 1);
    return false;
}

TString TLuaTable::GetString(int key, const TString& fallback) const {
    TLuaStackGuard guard(state_);
    if (!PushItem(key)) return fallback;
    const char* text = lua_isstring(state_, -1) ? lua_tostring(state_, -1) : nullptr;
    return text ? TString(text) : TString();
}

double TLuaTable::GetNumber(int key, double fallback) const {
    TLuaStackGuard guard(state_);
    if (!PushItem(key)) return fallback;
    return lua_tonumber(state_, -1);
}

std::unique_ptr<TLuaTable> TLuaTable::GetTable(int key) const {
    TLuaStackGuard guard(state_);
    if (!PushItem(key) || !lua_istable(state_, -1)) return nullptr;
    return std::make_unique<TLuaTable>(state_);
}

TLuaTable::Color TLuaTable::GetColor(int key, const Color& fallback) const {
    std::unique_ptr<TLuaTable> parts = GetTable(key);
    if (!parts) return fallback;
    Color color;
    for (int i = 0; i < 4; ++i)
        color[i] = static_cast<float>(parts->GetNumber(i + 1, fallback[i]));
    return color;
}

TLuaThread::TLuaThread(lua_State* parent) {
    thread_ = lua_newthread(parent);
    anchor_ = std::make_unique<TLuaObjectWrapper>(parent);
}
