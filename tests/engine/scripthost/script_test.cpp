#include "tests/engine/scripthost/script_fixture.h"

namespace {

TEST_F(ScriptTest, TextRunsWithTheHostsGlobalsAndLeavesTheStackAlone) {
    lua_State* L = script.GetState();
    int top = lua_gettop(L);
    EXPECT_EQ(script.DoLuaString("a, b, c = toparams({4, 5, 6}) s = string.rep('x', 3) .. table.getn({1, 2})"), 0);
    EXPECT_EQ(lua_gettop(L), top);
    EXPECT_EQ(Global("c"), 6.0);
    EXPECT_EQ(script.DoLuaString("return 7, 'eight'", -1, 2), 0);
    EXPECT_EQ(script.PopString(), TString("eight"));
    EXPECT_EQ(script.PopNumber(), 7.0);
    lua_pushstring(L, "_SCRIPT");
    lua_gettable(L, LUA_GLOBALSINDEX);
    EXPECT_EQ(lua_touserdata(L, -1), &script);
    lua_pop(L, 1);
    // Only the given length is run.
    EXPECT_EQ(script.DoLuaString("d = 1 d = 2", 5), 0);
    EXPECT_EQ(Global("d"), 1.0);
}

TEST_F(ScriptTest, ErrorsReachTheLogAndTheScriptsOwnHandler) {
    ASSERT_EQ(script.DoLuaString("function LuaErrorMessage(text) seen = text end"), 0);
    lua_State* L = script.GetState();
    int top = lua_gettop(L);
    EXPECT_NE(script.DoLuaString("x = = 1"), 0);
    EXPECT_EQ(lua_gettop(L), top);
    EXPECT_NE(Log().find("DoLuaString Lua Error: "), std::string::npos);
    EXPECT_NE(Log().find("\twhen parsing x = = 1"), std::string::npos);
    lua_pushstring(L, "seen");
    lua_gettable(L, LUA_GLOBALSINDEX);
    EXPECT_NE(script.PopString().Find("when parsing"), -1);

    EXPECT_NE(script.DoLuaString("error('boom')"), 0);
    EXPECT_NE(Log().find("Lua error: "), std::string::npos);  // from the "_ALERT" handler
    EXPECT_EQ(lua_gettop(L), top);
}

TEST_F(ScriptTest, AChunkReturningAFunctionRunsItAsACoroutineOnTheTask) {
    ASSERT_EQ(script.DoLuaString("steps = 0 return function() while steps < 3 do steps = steps + 1 "
                                 "coroutine.yield() end end"),
              0);
    EXPECT_EQ(Global("steps"), 1.0);
    EXPECT_TRUE(script.IsYielded());
    ASSERT_TRUE(script.IsReady(0));  // due at once, on every pass
    script.Run();
    script.Run();
    EXPECT_EQ(Global("steps"), 3.0);
    script.Run();  // the function returns
    EXPECT_FALSE(script.IsYielded());
    EXPECT_FALSE(script.IsReady(0));
    // A chunk returning something else starts nothing.
    TScript other;
    EXPECT_EQ(other.DoLuaString("return 1"), 0);
    EXPECT_FALSE(other.IsReady(0));
}

TEST_F(ScriptTest, ThreadScriptsShareTheStateAndOutliveNothing) {
    TScript* thread = script.CreateThreadScript();
    lua_State* T = thread->GetState();
    EXPECT_NE(T, script.GetState());
    ASSERT_EQ(script.DoLuaString("function Count() n = (n or 0) + 1 coroutine.yield() n = n + 1 end"), 0);
    lua_pushstring(T, "Count");
    lua_gettable(T, LUA_GLOBALSINDEX);
    EXPECT_EQ(lua_resume(T, 0), 0);
    EXPECT_TRUE(thread->IsYielded());
    EXPECT_EQ(Global("n"), 1.0);
    EXPECT_EQ(thread->Resume(0), 0);
    EXPECT_EQ(Global("n"), 2.0);
    EXPECT_NE(thread->Resume(0), 0);  // dead now: logged, not thrown
    EXPECT_NE(Log().find("lua_resume ERROR: "), std::string::npos);
    delete thread;
    EXPECT_EQ(script.DoLuaString("n = n + 1"), 0);  // the shared state stays open
    EXPECT_EQ(Global("n"), 3.0);
}

TEST_F(ScriptTest, DisposalWaitsForTheOutermostRunToEnd) {
    TScript* doomed = script.CreateThreadScript();
    lua_State* T = doomed->GetState();
    // A table only the doomed script's stack holds lives exactly as long as the script does.
    ASSERT_EQ(script.DoLuaString("watched = setmetatable({}, {__mode = 'v'})"), 0);
    lua_pushstring(T, "watched");
    lua_gettable(T, LUA_GLOBALSINDEX);
    lua_newtable(T);
    lua_pushvalue(T, -1);
    lua_rawseti(T, -3, 1);
    lua_remove(T, -2);
    auto alive = [&] {
        EXPECT_EQ(script.DoLuaString("collectgarbage() alive = watched[1] and 1 or 0"), 0);
        return Global("alive") == 1.0;
    };
    ASSERT_TRUE(alive());
    {
        TScript::RunScope outer;
        {
            TScript::RunScope inner;
            TScript::Dispose(doomed);
            EXPECT_TRUE(alive());
        }
        EXPECT_TRUE(alive());
        // Still usable.
        lua_pushnumber(doomed->GetState(), 1);
        lua_pop(doomed->GetState(), 1);
    }
    EXPECT_FALSE(alive());
    TScript::Dispose(nullptr);  // disposing nothing is harmless
}

TEST_F(ScriptTest, ThreadScriptsOutlivingTheirStateAreHarmless) {
    auto* owner = new TScript();
    TScript* thread = owner->CreateThreadScript();
    delete owner;  // closes the state the thread lived on
    EXPECT_FALSE(thread->IsYielded());
    EXPECT_NE(thread->Resume(0), 0);
    delete thread;
}

}  // namespace
