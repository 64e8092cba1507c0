// A fresh script state per test, with helpers to compile text.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/script/auxlib.h"
#include "engine/script/lua.h"

class ScriptTest : public ::testing::Test {
protected:
  void SetUp() override { L = lua_open(); }
  void TearDown() override { lua_close(L); }

  // Compiles source under chunk name "=test"; answers the status and leaves the function or message on top.
  int Load(const std::string& source, const char* name = "=test") {
    return luaL_loadbuffer(L, source.data(), source.size(), name);
  }

  // The message of a failed compilation, popped; empty when it compiled.
  std::string CompileError(const std::string& source) {
    int status = Load(source);
    std::string message = status == 0 ? "" : lua_tostring(L, -1);
    if (status != 0) {
      EXPECT_EQ(status, LUA_ERRSYNTAX) << source;
    }
    lua_pop(L, 1);
    return message;
  }

  lua_State* L = nullptr;
};
