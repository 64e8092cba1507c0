#include <gtest/gtest.h>

#include <cmath>

#include "engine/script/lua.h"
#include "engine/script/state.h"
#include "engine/script/table.h"

namespace {

struct State {
  lua_State* L = lua_open();
  ~State() { lua_close(L); }
};

// A new table anchored on the stack.
Table* NewTable(lua_State* L) {
  lua_newtable(L);
  return hvalue(L->top - 1);
}

void SetNum(lua_State* L, Table* t, double key, double value) {
  TObject k;
  setnvalue(&k, key);
  setnvalue(luaH_set(L, t, &k), value);
}

bool InArray(Table* t, double key) {
  return key == std::floor(key) && key >= 1 && key <= t->sizearray && !ttisnil(&t->array[static_cast<int>(key) - 1]);
}

TEST(ScriptTable, ArrayPartHoldsDenseIntegerKeys) {
  State s;
  Table* t = NewTable(s.L);
  for (int i = 1; i <= 100; i++) SetNum(s.L, t, i, i);
  EXPECT_EQ(t->sizearray, 128);
  for (int i = 1; i <= 100; i++) EXPECT_TRUE(InArray(t, i)) << i;
  SetNum(s.L, t, 1.5, 1);
  SetNum(s.L, t, -1, 1);
  SetNum(s.L, t, 0, 1);
  EXPECT_FALSE(InArray(t, 1.5));
  EXPECT_EQ(nvalue(luaH_getnum(t, 0)), 1);
  EXPECT_EQ(nvalue(luaH_getnum(t, -1)), 1);
  TObject k;
  setnvalue(&k, 1.5);
  EXPECT_EQ(nvalue(luaH_get(t, &k)), 1);
}

TEST(ScriptTable, SparseKeysStayInTheHashPart) {
  State s;
  Table* t = NewTable(s.L);
  SetNum(s.L, t, 1, 1);
  SetNum(s.L, t, 1000, 2);
  SetNum(s.L, t, 16777217, 3);  // 2^24 + 1 is never an array key
  EXPECT_LE(t->sizearray, 1);
  EXPECT_EQ(nvalue(luaH_getnum(t, 1000)), 2);
  EXPECT_EQ(nvalue(luaH_getnum(t, 16777217)), 3);
  // -0 and 0 are one key.
  SetNum(s.L, t, -0.0, 7);
  TObject zero;
  setnvalue(&zero, 0.0);
  EXPECT_EQ(nvalue(luaH_get(t, &zero)), 7);
}

TEST(ScriptTable, TraversalSurvivesClearingAndRehashKeepsEverything) {
  State s;
  Table* t = NewTable(s.L);
  for (int i = 1; i <= 500; i++) SetNum(s.L, t, i * 3.5, i);
  int count = 0;
  double sum = 0;
  lua_pushnil(s.L);
  while (lua_next(s.L, 1)) {
    sum += lua_tonumber(s.L, -1);
    lua_pop(s.L, 1);
    lua_pushvalue(s.L, -1);
    lua_pushnil(s.L);
    lua_rawset(s.L, 1);
    count++;
  }
  EXPECT_EQ(count, 500);
  EXPECT_EQ(sum, 500 * 501 / 2);
  // Refilling after the clear reuses the nodes.
  for (int i = 1; i <= 500; i++) SetNum(s.L, t, i * 3.5, -i);
  for (int i = 1; i <= 500; i++) {
    TObject k;
    setnvalue(&k, i * 3.5);
    ASSERT_EQ(nvalue(luaH_get(t, &k)), -i);
  }
}

}  // namespace
