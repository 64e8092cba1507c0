#include <gtest/gtest.h>

#include <string>

#include "engine/script/lua.h"
#include "engine/script/state.h"
#include "tests/engine/script/runtime/proto_builder.h"

namespace {

using namespace script_test;

struct State {
  lua_State* L = lua_open();
  ~State() { lua_close(L); }
};

int Yielder(lua_State* L) { return lua_yield(L, lua_gettop(L)); }

int CallYielder(lua_State* L) {
  lua_pushcfunction(L, Yielder);
  lua_call(L, 0, 0);
  return 0;
}

int ResumeSelf(lua_State* L) {
  int status = lua_resume(L, 0);
  lua_pushnumber(L, status);
  return 2;
}

// return g(1) + 1, with g the named global
ProtoPlan CallGlobalThenAdd(const char* name) {
  ProtoPlan plan;
  plan.k = {std::string(name), 1.0};
  plan.code = {ABx(OP_GETGLOBAL, 0, 0), ABx(OP_LOADK, 1, 1), ABC(OP_CALL, 0, 2, 2), ABC(OP_ADD, 0, 0, K(1)),
               ABC(OP_RETURN, 0, 2, 0)};
  return plan;
}

void Register(lua_State* L) {
  lua_register(L, "yielder", Yielder);
  lua_register(L, "callyielder", CallYielder);
  lua_register(L, "resumeself", ResumeSelf);
}

TEST(ScriptCoroutine, YieldFromACFunctionAndResume) {
  State s;
  Register(s.L);
  lua_State* co = lua_newthread(s.L);
  PushProto(co, CallGlobalThenAdd("yielder"));
  ASSERT_EQ(lua_resume(co, 0), 0);
  EXPECT_TRUE(co->ci->state & CI_YIELD) << "suspended threads carry the yield mark";
  ASSERT_EQ(lua_gettop(co), 1);
  EXPECT_EQ(lua_tonumber(co, 1), 1);
  lua_pop(co, 1);
  lua_pushnumber(co, 41);
  ASSERT_EQ(lua_resume(co, 1), 0);
  ASSERT_EQ(lua_gettop(co), 1);
  EXPECT_EQ(lua_tonumber(co, 1), 42);
  lua_pop(co, 1);
  EXPECT_EQ(lua_resume(co, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(co, -1), "cannot resume dead coroutine");
}

TEST(ScriptCoroutine, MainThreadResumesItself) {
  State s;
  Register(s.L);
  PushProto(s.L, CallGlobalThenAdd("yielder"));
  ASSERT_EQ(lua_resume(s.L, 0), 0);
  lua_pop(s.L, 1);
  lua_pushnumber(s.L, 9);
  ASSERT_EQ(lua_resume(s.L, 1), 0);
  EXPECT_EQ(lua_tonumber(s.L, -1), 10);
}

TEST(ScriptCoroutine, ResumeAndYieldErrors) {
  State s;
  lua_State* L = s.L;
  Register(L);
  struct Case {
    const char* global;
    const char* message;
  } cases[] = {
      {"callyielder", "attempt to yield across metamethod/C-call boundary"},
  };
  for (const Case& c : cases) {
    lua_State* co = lua_newthread(L);
    PushProto(co, CallGlobalThenAdd(c.global));
    EXPECT_EQ(lua_resume(co, 0), LUA_ERRRUN);
    EXPECT_STREQ(lua_tostring(co, -1), c.message);
    lua_pop(L, 1);
  }
  lua_State* co = lua_newthread(L);
  lua_pushcfunction(co, Yielder);
  EXPECT_EQ(lua_resume(co, 0), LUA_ERRRUN);
  EXPECT_STREQ(lua_tostring(co, -1), "cannot yield a C function");

  // A running coroutine cannot be resumed again; the call comes back as an error value.
  co = lua_newthread(L);
  ProtoPlan body;
  body.k = {std::string("resumeself")};
  body.code = {ABx(OP_GETGLOBAL, 0, 0), ABC(OP_CALL, 0, 1, 3), ABC(OP_RETURN, 0, 3, 0)};
  PushProto(co, body);
  ASSERT_EQ(lua_resume(co, 0), 0);
  ASSERT_EQ(lua_gettop(co), 2);
  EXPECT_STREQ(lua_tostring(co, 1), "cannot resume non-suspended coroutine");
  EXPECT_EQ(lua_tonumber(co, 2), LUA_ERRRUN);
}

}  // namespace
