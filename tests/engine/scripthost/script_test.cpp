#include "engine/core/files/asset.h"
#include "engine/script/auxlib.h"
#include "engine/scripthost/script_binding.h"
#include "engine/scripthost/script_code.h"
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
    EXPECT_NE(Log().find("Lua error: [string \"error('boom')\"]:1: boom"), std::string::npos);  // "_ALERT"
    EXPECT_NE(Log().find("\twhen running error('boom')"), std::string::npos);
    EXPECT_EQ(script.GetGlobalString("seen"), TString("Lua Error: [string \"error('boom')\"]:1: boom\n\twhen running"));
    EXPECT_EQ(lua_gettop(L), top);

    // Error values that are not text are logged as tostring shows them.
    EXPECT_NE(script.DoLuaString("error({})"), 0);
    EXPECT_NE(script.DoLuaString("error(nil)"), 0);
    EXPECT_NE(Log().find("Lua error: table: "), std::string::npos);
    EXPECT_NE(Log().find("Lua error: nil"), std::string::npos);
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

namespace {

// A script file in the test's folder, by the path the file layer resolves.
TString WriteScript(const std::filesystem::path& folder, const char* name, const char* text) {
    std::ofstream(folder / name) << text;
    return TString("::") + name;
}

TEST_F(ScriptTest, ScriptFilesRunAsCoroutinesOnTheTaskList) {
    TString file = WriteScript(folder, "steps.lua",
                               "steps = 0\n"
                               "return function() while steps < 3 do steps = steps + 1 coroutine.yield() end end\n");
    TTaskList tasks;
    auto* runner = new TScript();
    tasks.AddTask(runner);
    ASSERT_TRUE(runner->RunScript(file));
    auto steps = [&] { return runner->GetGlobalNumber("steps"); };
    EXPECT_EQ(steps(), 1.0);
    tasks.Run();
    EXPECT_EQ(steps(), 2.0);
    tasks.Run();
    EXPECT_EQ(steps(), 3.0);
    tasks.Run();  // the function returns: the task leaves its schedule
    EXPECT_FALSE(runner->IsYielded());
    EXPECT_FALSE(runner->IsReady(0));
}

TEST_F(ScriptTest, ScriptFilesThatCannotRunAnswerFalse) {
    lua_State* L = script.GetState();
    int top = lua_gettop(L);
    EXPECT_FALSE(script.RunScript(""));
    EXPECT_FALSE(script.RunScript("::missing.lua"));
    EXPECT_EQ(Log().find("Lua error"), std::string::npos);

    TString broken = WriteScript(folder, "broken.lua", "x = = 1\n");
    EXPECT_FALSE(script.RunScript(broken));
    EXPECT_NE(Log().find("Lua error: " + std::string(broken.CStr()) + ":1:"), std::string::npos);

    TString failing = WriteScript(folder, "failing.lua", "error('late')\n");
    EXPECT_FALSE(script.RunScript(failing));
    EXPECT_NE(Log().find("Failed to run script " + std::string(failing.CStr()) + ": 2"), std::string::npos);
    EXPECT_EQ(lua_gettop(L), top);
}

TEST_F(ScriptTest, CompiledCodeIsKeptWhileItIsHeld) {
    TAssetManager assets;
    SetAssetManager(&assets);
    TString file = WriteScript(folder, "cached.lua", "cached = 'yes'\n");
    std::shared_ptr<TScriptCode> first = TScriptCode::Get(file);
    ASSERT_NE(first, nullptr);
    std::filesystem::remove(folder / "cached.lua");
    EXPECT_EQ(TScriptCode::Get(file), first);  // answered without the file

    // The code is the whole chunk: it loads and runs.
    lua_State* L = script.GetState();
    ASSERT_EQ(luaL_loadbuffer(L, first->GetBytes(), first->GetSize(), "cached"), 0);
    ASSERT_EQ(script.RunFunction(0, 0), 0);
    EXPECT_EQ(script.GetGlobalString("cached"), TString("yes"));

    TString error;
    EXPECT_EQ(TScriptCode::Get("::none.lua", "", &error), nullptr);
    EXPECT_NE(error.Find("none.lua"), -1);
    EXPECT_EQ(TScriptCode::Get(""), nullptr);
    SetAssetManager(nullptr);
}

// Takes calls while its coroutine waits for them, as a window script waiting for messages does:
// the coroutine is resumed with nil and the call.
class WaitingScript : public TScript {
public:
    bool waiting = false;
    int offers = 0;

protected:
    bool DeliverCall() override {
        ++offers;
        if (!waiting) return TScript::DeliverCall();
        lua_pushnil(GetState());
        lua_insert(GetState(), -2);
        return Resume(2) == 0;
    }
};

const char kWaitLoop[] = R"(
    function Wait()
      local result
      while true do
        local message, call = coroutine.yield(result)
        result = nil
        if call then result = call() end
      end
    end
    return Wait
)";

TEST_F(ScriptTest, CallsReachASuspendedScriptThroughDeliverCall) {
    WaitingScript waiter;
    ASSERT_EQ(waiter.DoLuaString(kWaitLoop), 0);
    ASSERT_TRUE(waiter.IsYielded());
    waiter.waiting = true;

    // The text runs inside the coroutine, which hands its result back at the next suspension.
    ASSERT_EQ(waiter.DoLuaString("inside = 42 return inside * 2", -1, 1), 0);
    EXPECT_EQ(waiter.PopNumber(), 84.0);
    EXPECT_EQ(waiter.offers, 1);

    // Inside the coroutine the text may wait in turn; the wait ends on a later pass.
    ASSERT_EQ(waiter.DoLuaString("coroutine.yield() resumed = 1"), 0);
    EXPECT_EQ(waiter.GetGlobalNumber("resumed"), 0.0);
    waiter.Run();
    EXPECT_EQ(waiter.GetGlobalNumber("resumed"), 1.0);
    EXPECT_TRUE(waiter.IsYielded());

    // Calls asking for several results never go through the coroutine.
    ASSERT_EQ(waiter.DoLuaString("return 1, 2", -1, 2), 0);
    EXPECT_EQ(waiter.PopNumber(), 2.0);
    EXPECT_EQ(waiter.PopNumber(), 1.0);
    EXPECT_EQ(waiter.offers, 2);
}

TEST_F(ScriptTest, CallsNobodyTakesRunDirectlyOnTheSuspendedState) {
    ASSERT_EQ(script.DoLuaString(kWaitLoop), 0);
    ASSERT_TRUE(script.IsYielded());
    ASSERT_EQ(script.DoLuaString("direct = 1"), 0);
    EXPECT_EQ(Global("direct"), 1.0);
    // Run directly, the text cannot wait.
    EXPECT_NE(script.DoLuaString("coroutine.yield()"), 0);
    EXPECT_NE(Log().find("attempt to yield across metamethod/C-call boundary"), std::string::npos);
    EXPECT_TRUE(script.IsYielded());
    EXPECT_EQ(script.Resume(0), 0);  // the coroutine goes on as before
    EXPECT_TRUE(script.IsYielded());
}

// Runs script text from a function the coroutine calls, as game code called by a script does.
class TextRunner : public TScriptTarget {
public:
    explicit TextRunner(TScript& script) : script_(script) {}
    int Run(TString code) { return script_.DoLuaString(code); }

private:
    TScript& script_;
};

TEST_F(ScriptTest, TextRunFromARunningCoroutineRunsNested) {
    TextRunner runner(script);
    BindMember(script.GetState(), "RunText", &runner, &TextRunner::Run);
    ASSERT_EQ(script.DoLuaString("return function() "
                                 "  nestedStatus = RunText('nested = 1') "
                                 "  failedStatus = RunText('coroutine.yield()') "
                                 "  coroutine.yield() "
                                 "  after = 1 "
                                 "end"),
              0);
    EXPECT_EQ(Global("nested"), 1.0);
    EXPECT_EQ(Global("nestedStatus"), 0.0);
    EXPECT_NE(Global("failedStatus"), 0.0);
    ASSERT_TRUE(script.IsYielded());
    script.Run();
    EXPECT_EQ(Global("after"), 1.0);
}

TEST_F(ScriptTest, DumpTableWritesNestedLinesToDebugOut) {
    ASSERT_EQ(script.DoLuaString("function DebugOut(text) dumped = text end "
                                 "DumpTable({ a = { b = 'c' } }) flat = dumped "
                                 "local loop = {} loop.self = loop DumpTable(loop)"),
              0);
    EXPECT_EQ(script.GetGlobalString("flat"), TString("Dump Table: \na -> \n  b -> c\n"));
    TString looped = script.GetGlobalString("dumped");
    EXPECT_EQ(looped.Find("Dump Table: \nself -> \n  self -> \n"), 0);
    EXPECT_NE(looped.Find("            ...\n"), -1);
}

TEST_F(ScriptTest, GlobalsAndColorsReadThroughTheStackHelpers) {
    script.SetGlobalString("name", "value");
    ASSERT_EQ(script.DoLuaString("copy = name .. '!' number = 2.5 color = { 0.5, 1 }"), 0);
    EXPECT_EQ(script.GetGlobalString("copy"), TString("value!"));
    EXPECT_EQ(script.GetGlobalString("number"), TString(""));  // not a string
    EXPECT_EQ(script.GetGlobalNumber("number"), 2.5);
    EXPECT_EQ(script.GetGlobalNumber("copy"), 0.0);
    ASSERT_EQ(script.DoLuaString("return color", -1, 1), 0);
    EXPECT_EQ(script.PopColor(), (TScriptColor{0.5f, 1, 0, 0}));
    EXPECT_EQ(lua_gettop(script.GetState()), 0);
}

}  // namespace
