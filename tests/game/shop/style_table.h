// The style table a shop screen's Init reads: { name = 'shop' }, made in the test's script.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine/script/lua.h"
#include "engine/scripthost/script.h"
#include "engine/scripthost/script_refs.h"

inline std::unique_ptr<TLuaObjectWrapper> MakeShopStyleTable(TScript& script) {
    EXPECT_EQ(script.DoLuaString("style = { name = 'shop' }"), 0);
    lua_State* L = script.GetState();
    lua_pushstring(L, "style");
    lua_gettable(L, LUA_GLOBALSINDEX);
    auto table = std::make_unique<TLuaObjectWrapper>(L);
    lua_pop(L, 1);
    return table;
}
