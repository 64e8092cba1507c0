// TScriptValue<T>: how a value of type T is read from a script stack as a bound function's argument
// (Read) and pushed as its result (Push). The binding templates use it for every parameter and
// result; a type the scripts exchange in another way joins by a specialisation of its own.
#pragma once

#include <limits>
#include <type_traits>

#include "engine/core/base/tstring.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script_stack.h"

class TLuaTable;

template <class T, class Enable = void>
struct TScriptValue;  // no conversion for T

template <>
struct TScriptValue<TString> {
    static TString Read(lua_State* L, int index) { return GetLuaString(L, index); }
    static void Push(lua_State* L, const TString& value) { lua_pushlstring(L, value.CStr(), value.Length()); }
};

template <>
struct TScriptValue<bool> {
    static bool Read(lua_State* L, int index) { return lua_toboolean(L, index) != 0; }
    static void Push(lua_State* L, bool value) { lua_pushboolean(L, value); }
};

// Integers: truncated toward zero; beyond the type's range the nearest end of it, NaN 0.
template <class T>
struct TScriptValue<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>>> {
    static T Read(lua_State* L, int index) {
        double value = lua_tonumber(L, index);
        if (value != value) return 0;
        if (value <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
        if (value >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
        return static_cast<T>(value);
    }
    static void Push(lua_State* L, T value) { lua_pushnumber(L, static_cast<lua_Number>(value)); }
};

template <class T>
struct TScriptValue<T, std::enable_if_t<std::is_floating_point_v<T>>> {
    static T Read(lua_State* L, int index) { return static_cast<T>(lua_tonumber(L, index)); }
    static void Push(lua_State* L, T value) { lua_pushnumber(L, value); }
};

// A table argument: a wrapper the owning script deletes at its next call or resume.
template <>
struct TScriptValue<TLuaTable*> {
    static TLuaTable* Read(lua_State* L, int index);
};
