#include <cmath>
#include <vector>

#include "engine/scripthost/script_binding.h"
#include "engine/scripthost/script_refs.h"
#include "engine/scripthost/script_stack.h"
#include "engine/scripthost/script_yield.h"
#include "tests/engine/scripthost/script_fixture.h"

namespace {

using ScriptBindingTest = ScriptTest;

void PushGlobal(lua_State* L, const char* name) {
    lua_pushstring(L, name);
    lua_gettable(L, LUA_GLOBALSINDEX);
}

bool RegistryHolds(lua_State* L, const void* key) {
    lua_pushlightuserdata(L, const_cast<void*>(key));
    lua_gettable(L, LUA_REGISTRYINDEX);
    bool held = !lua_isnil(L, -1);
    lua_pop(L, 1);
    return held;
}

TEST_F(ScriptBindingTest, PopBoolReadsEveryTypeAndAlwaysPops) {
    struct Case {
        const char* source;
        bool value;
        const char* logged;  // null: nothing logged
    };
    const Case cases[] = {
        {"return nil", false, nullptr},
        {"return true", true, nullptr},
        {"return false", false, nullptr},
        {"return 0", false, nullptr},
        {"return 0.5", true, nullptr},
        {"return 0/0", true, nullptr},
        {"return '1'", false, "PopBool used on lua string 1"},
        {"return {}", false, "PopBool used on a type that isn't a number, a boolean, or nil. (type: 5)"},
        {"return towstring('x')", false, "(type: 9)"},
    };
    lua_State* L = script.GetState();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        int top = lua_gettop(L);
        ASSERT_EQ(script.DoLuaString(c.source, -1, 1), 0);
        size_t logBefore = Log().size();
        EXPECT_EQ(PopBool(L), c.value);
        EXPECT_EQ(lua_gettop(L), top);
        std::string added = Log().substr(logBefore);
        if (c.logged) {
            EXPECT_NE(added.find(c.logged), std::string::npos) << added;
        } else {
            EXPECT_EQ(added, "");
        }
    }
}

TEST_F(ScriptBindingTest, AThreadIsYieldedOnlyWhileSuspendedInAYield) {
    lua_State* L = script.GetState();
    ASSERT_EQ(script.DoLuaString("function Step() coroutine.yield() end"), 0);
    lua_State* thread = lua_newthread(L);
    EXPECT_FALSE(IsScriptYielded(thread));
    PushGlobal(thread, "Step");
    ASSERT_EQ(lua_resume(thread, 0), 0);
    EXPECT_TRUE(IsScriptYielded(thread));
    ASSERT_EQ(lua_resume(thread, 0), 0);
    EXPECT_FALSE(IsScriptYielded(thread));
    lua_pop(L, 1);
}

}  // namespace

class TWindow {
public:
    static TWindow* MakeNothing() { return reinterpret_cast<TWindow*>(reinterpret_cast<void*>(&MakeNothing)); }
    static TWindow* MakeOne() {
        static TWindow one;
        return &one;
    }
};

namespace {

TEST(ScriptBinding, CreatorsAnsweringTheirOwnAddressMakeNoWindow) {
    EXPECT_EQ(CallCreator(&TWindow::MakeNothing), nullptr);
    EXPECT_EQ(CallCreator(&TWindow::MakeOne), TWindow::MakeOne());
}

// Records its own deletion.
class TrackedTable : public TLuaTable {
public:
    TrackedTable(lua_State* L, bool* deleted) : TLuaTable(L), deleted_(deleted) {}
    ~TrackedTable() override { *deleted_ = true; }

private:
    bool* deleted_;
};

TEST_F(ScriptBindingTest, WrappersKeepTheirValueAliveUntilTheyGo) {
    lua_State* L = script.GetState();
    ASSERT_EQ(script.DoLuaString("return {10, '20', 'x', {1, 2}, {}}", -1, 1), 0);
    auto table = std::make_unique<TLuaTable>(L);
    EXPECT_EQ(lua_gettop(L), 0);
    lua_setgcthreshold(L, 0);  // collect now: the table must survive
    EXPECT_EQ(table->GetNumber(1, -1), 10.0);
    EXPECT_EQ(table->GetNumber(2, -1), 20.0);
    EXPECT_EQ(table->GetNumber(3, -1), 0.0);
    EXPECT_EQ(table->GetNumber(9, -1), -1.0);
    EXPECT_EQ(table->GetString(1, "d"), TString("10"));
    EXPECT_EQ(table->GetString(4, "d"), TString(""));
    EXPECT_EQ(table->GetString(9, "d"), TString("d"));
    EXPECT_EQ(table->GetColor(4, {0.1f, 0.2f, 0.3f, 0.4f}), (TLuaTable::Color{1, 2, 0.3f, 0.4f}));
    EXPECT_EQ(table->GetColor(1, {0.1f, 0.2f, 0.3f, 0.4f}), (TLuaTable::Color{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(table->GetTable(1), nullptr);
    EXPECT_NE(table->GetTable(5), nullptr);
    EXPECT_EQ(lua_gettop(L), 0);
    const void* key = table.get();
    EXPECT_TRUE(RegistryHolds(L, key));
    table.reset();
    EXPECT_FALSE(RegistryHolds(L, key));

    lua_newtable(L);
    bool deleted = false;
    auto* later = new TrackedTable(L, &deleted);
    later->DeleteLater();
    EXPECT_FALSE(deleted);
    EXPECT_EQ(script.DoLuaString("x = 1"), 0);  // the next call deletes it
    EXPECT_TRUE(deleted);
}

TEST_F(ScriptBindingTest, FunctionsCallNowAndThreadsStayAliveWhileHeld) {
    lua_State* L = script.GetState();
    // (A function returned by script text would start as the script's coroutine: use globals.)
    ASSERT_EQ(script.DoLuaString("calls = 0 function Count() calls = calls + 1 return 'r' end "
                                 "function Fail() error('inside') end"),
              0);
    PushGlobal(L, "Count");
    TLuaFunction function(L);
    function.CallNow();
    function.CallNow();
    EXPECT_EQ(lua_gettop(L), 0);
    PushGlobal(L, "calls");
    EXPECT_EQ(script.PopNumber(), 2.0);

    PushGlobal(L, "Fail");
    TLuaFunction failing(L);
    failing.CallNow();
    EXPECT_EQ(lua_gettop(L), 0);
    EXPECT_NE(Log().find("Lua error: "), std::string::npos);

    lua_pushnumber(L, 3);
    TLuaFunction notAFunction(L);
    notAFunction.CallNow();
    EXPECT_EQ(lua_gettop(L), 0);

    TLuaThread thread(L);
    EXPECT_EQ(lua_gettop(L), 0);
    lua_setgcthreshold(L, 0);
    ASSERT_EQ(script.DoLuaString("function Step() coroutine.yield() end"), 0);
    PushGlobal(thread.GetState(), "Step");
    EXPECT_EQ(lua_resume(thread.GetState(), 0), 0);
    EXPECT_TRUE(IsScriptYielded(thread.GetState()));
}

}  // namespace
