#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/script/lua.h"

namespace {

struct State {
  lua_State* L = lua_open();
  ~State() { lua_close(L); }
};

std::u16string WideAt(lua_State* L, int idx) {
  const lua_WChar* w = lua_towstring(L, idx);
  return w ? std::u16string(reinterpret_cast<const char16_t*>(w), lua_strlen(L, idx)) : u"<null>";
}

TEST(ScriptApi, StackManipulation) {
  State s;
  lua_State* L = s.L;
  for (int i = 1; i <= 5; i++) lua_pushnumber(L, i);
  lua_remove(L, 2);   // 1 3 4 5
  lua_insert(L, 1);   // 5 1 3 4
  lua_pushnumber(L, 9);
  lua_replace(L, 2);  // 5 9 3 4
  ASSERT_EQ(lua_gettop(L), 4);
  const double expected[] = {5, 9, 3, 4};
  for (int i = 0; i < 4; i++) EXPECT_EQ(lua_tonumber(L, i + 1), expected[i]);
  lua_settop(L, 6);
  EXPECT_TRUE(lua_isnil(L, 6));
  EXPECT_EQ(lua_type(L, 7), LUA_TNONE);
  EXPECT_STREQ(lua_typename(L, LUA_TNONE), "no value");
  EXPECT_STREQ(lua_typename(L, LUA_TWSTRING), "wstring");
  lua_settop(L, 0);
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST(ScriptApi, PushesGrowTheStackWithoutCheckstack) {
  State s;
  lua_State* L = s.L;
  for (int i = 0; i < 5000; i++) lua_pushnumber(L, i);
  EXPECT_EQ(lua_gettop(L), 5000);
  EXPECT_EQ(lua_tonumber(L, 4321 + 1), 4321);
  EXPECT_FALSE(lua_checkstack(L, 2048));
}

TEST(ScriptApi, RegistryIntegerKeysThroughPseudoIndices) {
  State s;
  lua_State* L = s.L;
  lua_pushvalue(L, -40001);
  EXPECT_TRUE(lua_isnil(L, -1));
  lua_pop(L, 1);
  lua_pushstring(L, "first");
  lua_rawseti(L, LUA_REGISTRYINDEX, 1);
  lua_pushvalue(L, -40001);
  EXPECT_STREQ(lua_tostring(L, -1), "first");
  EXPECT_STREQ(lua_tostring(L, -40001), "first");
  EXPECT_EQ(lua_type(L, -40002), LUA_TNIL);
  // The range is read-only: a replace through it changes nothing and the shared nil stays nil.
  lua_pushnumber(L, 5);
  lua_replace(L, -40002);
  EXPECT_EQ(lua_type(L, -40002), LUA_TNIL);
  EXPECT_EQ(lua_type(L, -40003), LUA_TNIL);
  lua_pushnil(L);
  EXPECT_TRUE(lua_isnil(L, -1));
}

TEST(ScriptApi, WideStringsAndConversions) {
  State s;
  lua_State* L = s.L;
  const lua_WChar text[] = {'a', 0xE9, 'b', 0};
  lua_pushwstring(L, text);
  EXPECT_EQ(lua_type(L, -1), LUA_TWSTRING);
  EXPECT_TRUE(lua_isstring(L, -1));
  EXPECT_EQ(lua_tostring(L, -1), nullptr);
  EXPECT_EQ(lua_strlen(L, -1), 3u);
  EXPECT_EQ(WideAt(L, -1), u"a\u00e9b");
  lua_pushlwstring(L, text, 3);
  EXPECT_TRUE(lua_rawequal(L, -1, -2)) << "equal wide texts are one object";
  lua_pushstring(L, "a\xC3\xA9" "b");
  EXPECT_FALSE(lua_rawequal(L, -1, -2));
  EXPECT_EQ(lua_towstring(L, -1), nullptr) << "plain strings do not convert";
  lua_pushnumber(L, 7);
  EXPECT_EQ(WideAt(L, -1), u"7");
  EXPECT_EQ(lua_type(L, -1), LUA_TWSTRING) << "converted in place";
  lua_pushnumber(L, 12.5);
  EXPECT_STREQ(lua_tostring(L, -1), "12.5");
  EXPECT_EQ(lua_type(L, -1), LUA_TSTRING);
  lua_pushwstring(L, nullptr);
  EXPECT_TRUE(lua_isnil(L, -1));
}

TEST(ScriptApi, NumberConversionOfText) {
  State s;
  lua_State* L = s.L;
  struct Case {
    const char* text;
    bool isnumber;
    double value;
  } cases[] = {
      {"12", true, 12},      {" 0.3 ", true, 0.3},   {"1e+2", true, 100}, {"0x10", false, 0},
      {"inf", false, 0},     {"nan", false, 0},      {"", false, 0},      {"1e", false, 0},
      {"-.5", true, -0.5},   {"5 x", false, 0},
  };
  for (const Case& c : cases) {
    lua_pushstring(L, c.text);
    EXPECT_EQ(lua_isnumber(L, -1) != 0, c.isnumber) << c.text;
    if (c.isnumber) {
      EXPECT_EQ(lua_tonumber(L, -1), c.value) << c.text;
    }
    lua_pop(L, 1);
  }
  struct WideCase {
    std::u16string text;
    bool isnumber;
    double value;
  } wides[] = {
      {u"0x1F", true, 31}, {u"0x1.8p1", true, 3}, {u" 12", false, 0}, {u"12 ", true, 12},
      {u"0.3", true, 0.3}, {u"1e3", true, 1000},  {u"x", false, 0},
  };
  for (const WideCase& c : wides) {
    lua_pushlwstring(L, reinterpret_cast<const lua_WChar*>(c.text.data()), c.text.size());
    EXPECT_EQ(lua_isnumber(L, -1) != 0, c.isnumber);
    if (c.isnumber) {
      EXPECT_EQ(lua_tonumber(L, -1), c.value);
    }
    lua_pop(L, 1);
  }
}

TEST(ScriptApi, WideAndPlainKeysAreDistinct) {
  State s;
  lua_State* L = s.L;
  const lua_WChar key[] = {'k', 0};
  lua_newtable(L);
  lua_pushstring(L, "k");
  lua_pushnumber(L, 1);
  lua_rawset(L, 1);
  lua_pushwstring(L, key);
  lua_pushnumber(L, 2);
  lua_rawset(L, 1);
  lua_pushstring(L, "k");
  lua_rawget(L, 1);
  EXPECT_EQ(lua_tonumber(L, -1), 1);
  lua_pushwstring(L, key);
  lua_rawget(L, 1);
  EXPECT_EQ(lua_tonumber(L, -1), 2);
}

TEST(ScriptApi, PointerBoxesAndUserdata) {
  State s;
  lua_State* L = s.L;
  int target = 0;
  lua_pushuserpointer(L, &target);
  EXPECT_EQ(lua_type(L, -1), LUA_TUSERDATA);
  EXPECT_EQ(lua_touserdata(L, -1), &target);
  void* block = lua_newuserdata(L, 3);
  EXPECT_EQ(lua_touserdata(L, -1), block);
  std::memset(block, 0xAB, 4);  // rounded up to even: 4 bytes are usable
  lua_pushlightuserdata(L, &target);
  EXPECT_EQ(lua_touserdata(L, -1), &target);
  EXPECT_TRUE(lua_isuserdata(L, -1));
}

TEST(ScriptApi, GetnCountsFieldNOrLargestKey) {
  State s;
  lua_State* L = s.L;
  lua_newtable(L);
  lua_pushstring(L, "n");
  lua_pushnumber(L, 3);
  lua_rawset(L, -3);
  for (int i = 1; i <= 4; i++) {
    lua_pushnumber(L, i * 10);
    lua_rawseti(L, -2, i);
  }
  EXPECT_EQ(lua_getn(L, -1), 3);
  lua_newtable(L);
  lua_pushnumber(L, 1);
  lua_rawseti(L, -2, 1);
  lua_pushnumber(L, 5);
  lua_rawseti(L, -2, 5);
  EXPECT_EQ(lua_getn(L, -1), 5);
  lua_newtable(L);
  EXPECT_EQ(lua_getn(L, -1), 0);
  lua_pushstring(L, "n");
  lua_pushnumber(L, 1e300);
  lua_rawset(L, -3);
  EXPECT_EQ(lua_getn(L, -1), INT32_MIN) << "out-of-range sizes convert defined";
}

TEST(ScriptApi, TypeMetatablesServeIndexing) {
  State s;
  lua_State* L = s.L;
  lua_newtable(L);
  lua_pushstring(L, "answer");
  lua_pushnumber(L, 42);
  lua_rawset(L, -3);
  lua_settypemetatable(L, LUA_TNUMBER);
  lua_pushnumber(L, 5);
  lua_pushstring(L, "answer");
  lua_gettable(L, -2);
  EXPECT_EQ(lua_tonumber(L, -1), 42);
  lua_pushtypemetatable(L, LUA_TNUMBER);
  EXPECT_TRUE(lua_istable(L, -1));
  lua_pushnumber(L, 1);
  lua_settypemetatable(L, LUA_TNUMBER);  // not a table: the slot stays
  lua_pushtypemetatable(L, LUA_TNUMBER);
  EXPECT_TRUE(lua_rawequal(L, -1, -2));
  // getmetatable of a table without its own metatable reports none.
  lua_newtable(L);
  EXPECT_EQ(lua_getmetatable(L, -1), 0);
  lua_pushnumber(L, 1);
  EXPECT_EQ(lua_getmetatable(L, -1), 0);
}

int ReadUpvalues(lua_State* L) {
  EXPECT_EQ(lua_tonumber(L, lua_upvalueindex(1)), 10);
  EXPECT_STREQ(lua_tostring(L, lua_upvalueindex(2)), "up");
  EXPECT_EQ(lua_type(L, lua_upvalueindex(3)), LUA_TNONE);
  lua_pushnumber(L, 11);
  lua_replace(L, lua_upvalueindex(1));  // upvalues are writable
  return lua_pushupvalues(L);
}

TEST(ScriptApi, CClosureUpvalues) {
  State s;
  lua_State* L = s.L;
  lua_pushnumber(L, 10);
  lua_pushstring(L, "up");
  lua_pushcclosure(L, ReadUpvalues, 2);
  lua_pushvalue(L, -1);
  lua_call(L, 0, LUA_MULTRET);
  ASSERT_EQ(lua_gettop(L), 3);
  EXPECT_EQ(lua_tonumber(L, 2), 11);
  EXPECT_STREQ(lua_getupvalue(L, 1, 2), "");
  EXPECT_STREQ(lua_tostring(L, -1), "up");
  EXPECT_EQ(lua_getupvalue(L, 1, 3), nullptr);
}

int ThrowError(lua_State* L) {
  lua_pushstring(L, "boom");
  return lua_error(L);
}

int AddArgs(lua_State* L) {
  lua_pushnumber(L, lua_tonumber(L, 1) + lua_tonumber(L, 2));
  return 1;
}

int Handler(lua_State* L) {
  lua_pushstring(L, "handled: ");
  lua_insert(L, 1);
  lua_concat(L, 2);
  return 1;
}

TEST(ScriptApi, CallsAndProtectedErrors) {
  State s;
  lua_State* L = s.L;
  lua_pushcfunction(L, AddArgs);
  lua_pushnumber(L, 2);
  lua_pushnumber(L, 3);
  lua_call(L, 2, 1);
  EXPECT_EQ(lua_tonumber(L, -1), 5);
  lua_settop(L, 0);

  lua_pushcfunction(L, ThrowError);
  EXPECT_EQ(lua_pcall(L, 0, 0, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "boom");
  lua_settop(L, 0);

  lua_pushcfunction(L, Handler);
  lua_pushcfunction(L, ThrowError);
  EXPECT_EQ(lua_pcall(L, 0, 0, 1), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "handled: boom");
  lua_settop(L, 0);

  // A handler that is not a function fails in error handling.
  lua_pushnumber(L, 1);
  lua_pushcfunction(L, ThrowError);
  EXPECT_EQ(lua_pcall(L, 0, 0, 1), LUA_ERRERR);
  EXPECT_STREQ(lua_tostring(L, -1), "error in error handling");
  lua_settop(L, 0);

  // Calling a non-function is an error value, not a crash.
  lua_pushnumber(L, 1);
  EXPECT_EQ(lua_pcall(L, 0, 0, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "attempt to call a number value");
}

TEST(ScriptApiDeathTest, UnprotectedErrorCallsPanicAndExits) {
  EXPECT_EXIT(
      {
        lua_State* L = lua_open();
        lua_atpanic(L, [](lua_State* L) {
          std::fprintf(stderr, "panic: %s\n", lua_tostring(L, -1));
          return 0;
        });
        lua_pushstring(L, "unprotected");
        lua_error(L);
      },
      testing::ExitedWithCode(1), "panic: unprotected");
}

int CpcallBody(lua_State* L) {
  *static_cast<int*>(lua_touserdata(L, 1)) = 7;
  return 0;
}

TEST(ScriptApi, CpcallPassesItsPointer) {
  State s;
  int out = 0;
  EXPECT_EQ(lua_cpcall(s.L, CpcallBody, &out), 0);
  EXPECT_EQ(out, 7);
}

int Recurse(lua_State* L) {
  lua_pushvalue(L, lua_upvalueindex(1));
  lua_pushvalue(L, lua_upvalueindex(1));
  lua_call(L, 0, 0);
  return 0;
}

TEST(ScriptApi, NestedCCallsStopWithCStackOverflow) {
  State s;
  lua_State* L = s.L;
  lua_pushnil(L);
  lua_pushcclosure(L, Recurse, 1);
  // The closure needs itself as its upvalue.
  lua_pushvalue(L, -1);
  lua_setupvalue(L, -2, 1);
  EXPECT_EQ(lua_pcall(L, 0, 0, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "C stack overflow");
  // The state stays usable.
  lua_settop(L, 0);
  lua_pushcfunction(L, AddArgs);
  lua_pushnumber(L, 1);
  lua_pushnumber(L, 1);
  EXPECT_EQ(lua_pcall(L, 2, 1, 0), 0);
  EXPECT_EQ(lua_tonumber(L, -1), 2);
}

TEST(ScriptApi, ConcatMixesNumbersAndStrings) {
  State s;
  lua_State* L = s.L;
  lua_pushstring(L, "a");
  lua_pushnumber(L, 1.5);
  lua_pushstring(L, "b");
  lua_concat(L, 3);
  EXPECT_STREQ(lua_tostring(L, -1), "a1.5b");
  lua_concat(L, 0);
  EXPECT_STREQ(lua_tostring(L, -1), "");
  const lua_WChar w[] = {'w', 0};
  lua_pushwstring(L, w);
  lua_pushnumber(L, 2);
  lua_concat(L, 2);
  EXPECT_EQ(WideAt(L, -1), u"w2");
  lua_pushwstring(L, w);
  lua_pushstring(L, "x");
  lua_pushcfunction(L, [](lua_State* L) {
    lua_concat(L, 2);
    return 1;
  });
  lua_insert(L, -3);
  EXPECT_EQ(lua_pcall(L, 2, 1, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "attempt to concatenate a string value");
}

TEST(ScriptApi, NextTraversesAfterClearingFields) {
  State s;
  lua_State* L = s.L;
  lua_newtable(L);
  for (int i = 0; i < 20; i++) {
    lua_pushfstring(L, "k%d", i);
    lua_pushnumber(L, i);
    lua_rawset(L, 1);
  }
  int seen = 0;
  lua_pushnil(L);
  while (lua_next(L, 1)) {
    lua_pop(L, 1);
    lua_pushvalue(L, -1);
    lua_pushnil(L);
    lua_rawset(L, 1);  // clearing the current field is allowed during a traversal
    seen++;
  }
  EXPECT_EQ(seen, 20);
  lua_pushnil(L);
  EXPECT_EQ(lua_next(L, 1), 0);
  lua_pushstring(L, "absent");
  lua_pushcfunction(L, [](lua_State* L) {
    lua_next(L, 1);
    return 0;
  });
  lua_pushvalue(L, 1);
  lua_pushstring(L, "absent");
  EXPECT_EQ(lua_pcall(L, 2, 0, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(L, -1), "invalid key for `next'");
}

TEST(ScriptApi, TableKeysNilAndNaNAreErrors) {
  State s;
  lua_State* L = s.L;
  struct Case {
    bool nan;
    const char* message;
  } cases[] = {{false, "table index is nil"}, {true, "table index is NaN"}};
  for (const Case& c : cases) {
    lua_pushcfunction(L, [](lua_State* L) {
      lua_newtable(L);
      lua_pushvalue(L, 1);
      lua_pushnumber(L, 1);
      lua_rawset(L, -3);
      return 0;
    });
    if (c.nan) {
      lua_pushnumber(L, 0.0 / 0.0);
    } else {
      lua_pushnil(L);
    }
    EXPECT_EQ(lua_pcall(L, 1, 0, 0), LUA_ERRRUN);
    EXPECT_STREQ(lua_tostring(L, -1), c.message);
    lua_settop(L, 0);
  }
}

}  // namespace
