#include "engine/ui/window_style.h"

#include "engine/core/base/log.h"
#include "engine/script/lua.h"

namespace {

// Default styles nest a few levels; a chain this long has a loop in it.
constexpr int kMaxDefaultDepth = 64;

// Replaces the table on top with its value under name (the globals stand in for a non-table);
// answers whether that value is not nil, popping it when it is.
bool LookUpInTop(lua_State* L, const char* name) {
    lua_pushstring(L, name);
    lua_gettable(L, lua_istable(L, -2) ? -2 : LUA_GLOBALSINDEX);
    lua_remove(L, -2);
    if (!lua_isnil(L, -1)) return true;
    lua_pop(L, 1);
    return false;
}

// Looks name up in the table on top and along its "parent" chain; replaces the table with the
// value found, or pops it.
bool LookUpInChain(lua_State* L, const char* name) {
    for (int depth = 0; depth < kMaxDefaultDepth && lua_istable(L, -1); ++depth) {
        lua_pushvalue(L, -1);
        if (LookUpInTop(L, name)) {
            lua_remove(L, -2);
            return true;
        }
        lua_pushstring(L, "parent");
        lua_gettable(L, -2);
        lua_remove(L, -2);
    }
    if (lua_istable(L, -1))
        LogPrintf("Style attribute %s: the default style's parents nest deeper than %d", name, kMaxDefaultDepth);
    lua_pop(L, 1);
    return false;
}

}  // namespace

bool TWindowStyle::PushAttribute(const char* name) const {
    lua_State* L = style_->GetState();
    style_->Push();
    if (LookUpInTop(L, name)) return true;
    lua_pushstring(L, "gCurrentDefaultStyle");
    lua_gettable(L, LUA_GLOBALSINDEX);
    return LookUpInChain(L, name);
}

double TWindowStyle::GetNumber(const char* name, double fallback) const {
    TLuaStackGuard guard(style_->GetState());
    return PushAttribute(name) ? PopNumber(style_->GetState()) : fallback;
}

int TWindowStyle::GetInt(const char* name, int fallback) const {
    return static_cast<int>(GetNumber(name, fallback));
}

TString TWindowStyle::GetString(const char* name, const TString& fallback) const {
    TLuaStackGuard guard(style_->GetState());
    return PushAttribute(name) ? PopString(style_->GetState()) : fallback;
}

TScriptColor TWindowStyle::GetColor(const char* name, const TScriptColor& fallback) const {
    TLuaStackGuard guard(style_->GetState());
    return PushAttribute(name) ? PopColor(style_->GetState(), fallback) : fallback;
}

bool TWindowStyle::GetBool(const char* name, bool fallback) const {
    TLuaStackGuard guard(style_->GetState());
    return PushAttribute(name) ? PopBool(style_->GetState()) : fallback;
}

std::unique_ptr<TLuaTable> TWindowStyle::GetTable(const char* name) const {
    lua_State* L = style_->GetState();
    TLuaStackGuard guard(L);
    if (!PushAttribute(name) || !lua_istable(L, -1)) return nullptr;
    return std::make_unique<TLuaTable>(L);
}

std::unique_ptr<TLuaFunction> TWindowStyle::GetFunction(const char* name) const {
    lua_State* L = style_->GetState();
    TLuaStackGuard guard(L);
    if (!PushAttribute(name)) return nullptr;
    return std::make_unique<TLuaFunction>(L);
}
