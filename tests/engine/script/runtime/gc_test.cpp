#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/script/lualib.h"
#include "engine/script/state.h"
#include "tests/engine/script/runtime/proto_builder.h"

namespace {

using namespace script_test;

struct State {
  lua_State* L = lua_open();
  ~State() { lua_close(L); }
};

void Collect(lua_State* L) { lua_setgcthreshold(L, 0); }

// t = setmetatable({}, {__mode = mode}) left on the stack.
void PushWeakTable(lua_State* L, const char* mode) {
  lua_newtable(L);
  lua_newtable(L);
  lua_pushstring(L, "__mode");
  lua_pushstring(L, mode);
  lua_rawset(L, -3);
  lua_setmetatable(L, -2);
}

TEST(ScriptGc, WeakValuesDropCollectedObjectsButKeepStrings) {
  State s;
  lua_State* L = s.L;
  PushWeakTable(L, "v");
  lua_newtable(L);
  lua_rawseti(L, 1, 1);
  lua_pushstring(L, "text");
  lua_rawseti(L, 1, 2);
  lua_newtable(L);  // a value that stays referenced from the stack
  lua_pushvalue(L, -1);
  lua_rawseti(L, 1, 3);
  Collect(L);
  lua_rawgeti(L, 1, 1);
  EXPECT_TRUE(lua_isnil(L, -1));
  lua_rawgeti(L, 1, 2);
  EXPECT_STREQ(lua_tostring(L, -1), "text");
  lua_rawgeti(L, 1, 3);
  EXPECT_TRUE(lua_rawequal(L, -1, 2));
}

TEST(ScriptGc, WeakKeysKeepWideStringKeys) {
  State s;
  lua_State* L = s.L;
  PushWeakTable(L, "k");
  const lua_WChar key[] = {'w', 'k', 0};
  lua_pushwstring(L, key);
  lua_pushnumber(L, 1);
  lua_rawset(L, 1);
  lua_newtable(L);
  lua_pushnumber(L, 2);
  lua_rawset(L, 1);
  Collect(L);
  int count = 0;
  lua_pushnil(L);
  while (lua_next(L, 1)) {
    EXPECT_EQ(lua_type(L, -2), LUA_TWSTRING);
    lua_pop(L, 1);
    count++;
  }
  EXPECT_EQ(count, 1);
}

std::vector<int>* g_finalised;

int Finalise(lua_State* L) {
  g_finalised->push_back(*static_cast<int*>(lua_touserdata(L, 1)));
  return 0;
}

void PushFinalisable(lua_State* L, int id) {
  *static_cast<int*>(lua_newuserdata(L, sizeof(int))) = id;
  lua_newtable(L);
  lua_pushstring(L, "__gc");
  lua_pushcfunction(L, Finalise);
  lua_rawset(L, -3);
  lua_setmetatable(L, -2);
}

TEST(ScriptGc, FinalisersRunOnceForDeadUserdataAndAtClose) {
  std::vector<int> finalised;
  g_finalised = &finalised;
  {
    State s;
    lua_State* L = s.L;
    for (int id = 1; id <= 3; id++) PushFinalisable(L, id);
    lua_pop(L, 2);  // 2 and 3 become garbage
    Collect(L);
    ASSERT_EQ(finalised.size(), 2u);
    EXPECT_EQ(finalised[0] + finalised[1], 5);
    Collect(L);
    EXPECT_EQ(finalised.size(), 2u) << "each finaliser runs once";
  }
  ASSERT_EQ(finalised.size(), 3u);
  EXPECT_EQ(finalised[2], 1) << "lua_close runs the pending finalisers";
}

TEST(ScriptGc, ReplacedTypeMetatableSurvives) {
  State s;
  lua_State* L = s.L;
  lua_newtable(L);
  lua_pushstring(L, "marker");
  lua_pushstring(L, "kept");
  lua_rawset(L, -3);
  lua_settypemetatable(L, LUA_TBOOLEAN);
  Collect(L);
  lua_pushtypemetatable(L, LUA_TBOOLEAN);
  lua_pushstring(L, "marker");
  lua_rawget(L, -2);
  EXPECT_STREQ(lua_tostring(L, -1), "kept");
}

TEST(ScriptGc, ThresholdZeroCollectsAtOnce) {
  State s;
  lua_State* L = s.L;
  lua_setgcthreshold(L, 1 << 20);
  int before = lua_getgccount(L);
  for (int i = 0; i < 2000; i++) {
    lua_newtable(L);
    lua_pushfstring(L, "garbage %d", i);
    lua_rawseti(L, -2, 1);
    lua_pop(L, 1);
  }
  int peak = lua_getgccount(L);
  EXPECT_GT(peak, before + 50);
  Collect(L);
  EXPECT_LT(lua_getgccount(L), before + 20) << "only the grown string table stays";
  EXPECT_GE(lua_getgcthreshold(L), lua_getgccount(L));
}

TEST(ScriptGc, StressSwitchKeepsLiveDataIntact) {
  State s;
  lua_State* L = s.L;
  luaE_setgcstress(L, true);
  lua_newtable(L);
  for (int i = 1; i <= 300; i++) {
    lua_pushfstring(L, "value %d", i);
    lua_rawseti(L, 1, i);
    lua_newtable(L);  // garbage
    lua_pop(L, 1);
  }
  // Closures with shared upvalues under collection at every check.
  ProtoPlan inc;
  inc.nups = 1;
  inc.k = {1.0};
  inc.code = {ABC(OP_GETUPVAL, 0, 0, 0), ABC(OP_ADD, 0, 0, K(0)), ABC(OP_SETUPVAL, 0, 0, 0), ABC(OP_RETURN, 0, 2, 0)};
  ProtoPlan outer;
  outer.p = {inc};
  outer.k = {0.0, std::string("x"), std::string("y")};
  outer.code = {ABx(OP_LOADK, 0, 0),   ABx(OP_CLOSURE, 1, 0),   ABC(OP_MOVE, 0, 0, 0),  ABC(OP_MOVE, 2, 1, 0),
                ABC(OP_CALL, 2, 1, 1), ABC(OP_MOVE, 2, 1, 0),     ABC(OP_CALL, 2, 1, 2),  ABC(OP_NEWTABLE, 3, 0, 0),
                ABx(OP_LOADK, 4, 1),   ABx(OP_LOADK, 5, 2),       ABC(OP_CONCAT, 3, 4, 5), ABC(OP_RETURN, 2, 3, 0)};
  PushProto(L, outer);
  ASSERT_EQ(lua_pcall(L, 0, 2, 0), 0) << lua_tostring(L, -1);
  EXPECT_EQ(lua_tonumber(L, -2), 2);
  EXPECT_STREQ(lua_tostring(L, -1), "xy");
  for (int i = 1; i <= 300; i++) {
    lua_rawgeti(L, 1, i);
    ASSERT_EQ(std::string(lua_tostring(L, -1)), "value " + std::to_string(i));
    lua_pop(L, 1);
  }
}

TEST(ScriptGc, OpenUpvaluesOfDroppedClosuresAndDeadThreads) {
  State s;
  lua_State* L = s.L;
  luaE_setgcstress(L, true);
  ProtoPlan get;
  get.nups = 1;
  get.code = {ABC(OP_GETUPVAL, 0, 0, 0), ABC(OP_RETURN, 0, 2, 0)};
  // local x = 1; local f = function() return x end; f = nil; {}; return x
  ProtoPlan outer;
  outer.p = {get};
  outer.k = {1.0};
  outer.code = {ABx(OP_LOADK, 0, 0),     ABx(OP_CLOSURE, 1, 0),     ABC(OP_MOVE, 0, 0, 0),
                ABC(OP_LOADNIL, 1, 1, 0), ABC(OP_NEWTABLE, 2, 0, 0), ABC(OP_RETURN, 0, 2, 0)};
  PushProto(L, outer);
  ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0) << lua_tostring(L, -1);
  EXPECT_EQ(lua_tonumber(L, -1), 1);
  lua_settop(L, 0);
  // A closure outlives the suspended coroutine whose local it captured.
  lua_register(L, "yield", [](lua_State* L) { return lua_yield(L, lua_gettop(L)); });
  ProtoPlan body;
  body.p = {get};
  body.k = {std::string("yield"), std::string("kept")};
  body.code = {ABx(OP_LOADK, 0, 1),      ABx(OP_CLOSURE, 1, 0),  ABC(OP_MOVE, 0, 0, 0), ABx(OP_GETGLOBAL, 2, 0),
               ABC(OP_MOVE, 3, 1, 0),   ABC(OP_CALL, 2, 2, 1),  ABC(OP_RETURN, 0, 1, 0)};
  lua_State* co = lua_newthread(L);
  PushProto(co, body);
  ASSERT_EQ(lua_resume(co, 0), 0);
  lua_xmove(co, L, 1);  // the closure
  lua_remove(L, 1);     // the coroutine becomes garbage while suspended
  lua_setgcthreshold(L, 0);
  lua_call(L, 0, 1);
  EXPECT_STREQ(lua_tostring(L, -1), "kept");
}

// Every object kind is freed with the size it was allocated with: the byte count returns to the same value
// after the same garbage is made and collected again.
TEST(ScriptGc, ByteCountDoesNotDrift) {
  State s;
  lua_State* L = s.L;
  luaopen_base(L);
  luaopen_string(L);
  luaopen_table(L);
  lua_settop(L, 0);
  static const char kGarbage[] =
      "local t = {} for i = 1, 50 do\n"
      "  local n = i\n"
      "  t[i] = {tostring(i), L\"w\" .. i, function() return n end, newproxy(true), coroutine.create(function() end)}\n"
      "end return t";
  auto cycle = [&]() -> size_t {
    EXPECT_EQ(luaL_loadbuffer(L, kGarbage, sizeof(kGarbage) - 1, "=garbage"), 0);
    EXPECT_EQ(lua_pcall(L, 0, 1, 0), 0);
    for (int i = 0; i < 50; i++) lua_pushuserpointer(L, &s);
    lua_settop(L, 0);
    Collect(L);
    Collect(L);
    return G(L)->nblocks;
  };
  cycle();
  size_t first = cycle();
  EXPECT_EQ(cycle(), first);
}

// An allocator that fails once its budget of allocations is used up.
struct Budget {
  int remaining;
};

void* LimitedAlloc(void* ud, void* block, size_t, size_t newsize, int, int) {
  if (newsize == 0) {
    std::free(block);
    return nullptr;
  }
  Budget* budget = static_cast<Budget*>(ud);
  if (budget->remaining <= 0) return nullptr;
  budget->remaining--;
  return std::realloc(block, newsize);
}

int Allocate(lua_State* L) {
  for (int i = 0; i < 100000; i++) {
    lua_newtable(L);
    lua_rawseti(L, LUA_REGISTRYINDEX, i + 10);
  }
  return 0;
}

TEST(ScriptGc, MemoryFailureIsAnErrorValueAndTheStateStaysUsable) {
  State s;
  lua_State* L = s.L;
  Budget budget{1000};
  luaE_setallocator(L, LimitedAlloc, &budget);
  lua_pushcfunction(L, Allocate);
  EXPECT_EQ(lua_pcall(L, 0, 0, 0), LUA_ERRMEM);
  EXPECT_STREQ(lua_tostring(L, -1), "not enough memory");
  budget.remaining = 1 << 30;
  lua_settop(L, 0);
  lua_pushstring(L, "still");
  lua_pushstring(L, " working");
  lua_concat(L, 2);
  EXPECT_STREQ(lua_tostring(L, -1), "still working");
}

// Fails every allocation after the first `budget`: every unwind path must leave a usable state, leak
// nothing (the leak checker runs at exit) and report "not enough memory".
TEST(ScriptGc, AllocationFailureAnywhereIsRecoverable) {
  static const char kChunk[] =
      "local t = {} for i = 1, 40 do t[i] = {i, tostring(i) .. 'x', L\"w\" .. i} end\n"
      "local co = coroutine.create(function(a) local b = coroutine.yield(a .. '!') return b end)\n"
      "coroutine.resume(co, 'y') coroutine.resume(co, t)\n"
      "local s = string.rep('ab', 50) s = string.gsub(s, 'a', function(c) return c .. c end)\n"
      "table.sort(t, function(a, b) return a[1] > b[1] end) return table.concat({s, 'z'})";
  bool completed = false;
  for (int budget = 0; budget < 1600; budget += 5) {
    State s;
    lua_State* L = s.L;
    luaopen_base(L);
    luaopen_string(L);
    luaopen_table(L);
    lua_settop(L, 0);
    Budget limit{budget};
    luaE_setallocator(L, LimitedAlloc, &limit);
    int status = luaL_loadbuffer(L, kChunk, sizeof(kChunk) - 1, "=chunk");
    if (status == 0) status = lua_pcall(L, 0, 1, 0);
    completed |= status == 0;
    if (status != 0) {
      EXPECT_TRUE(status == LUA_ERRMEM || status == LUA_ERRRUN) << budget;
      if (status == LUA_ERRMEM) {
        EXPECT_STREQ(lua_tostring(L, -1), "not enough memory");
      }
    }
    limit.remaining = 1 << 30;
    lua_settop(L, 0);
    ASSERT_EQ(luaL_loadbuffer(L, "return 1 + 1", 12, "=again"), 0) << budget;
    ASSERT_EQ(lua_pcall(L, 0, 1, 0), 0) << budget;
    EXPECT_EQ(lua_tonumber(L, -1), 2);
  }
  EXPECT_TRUE(completed) << "the largest budgets run the chunk to its end";
}

}  // namespace
