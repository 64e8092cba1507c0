// Scripts read through the framework's file layer, so luaL_loadfile resolves virtual paths and packages.
#pragma once

struct lua_State;

void InstallFileLayerReader(lua_State* state);
