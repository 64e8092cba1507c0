#include <climits>
#include <memory>
#include <string>

#include "engine/scripthost/script_binding.h"
#include "engine/scripthost/script_refs.h"
#include "tests/engine/scripthost/script_fixture.h"

namespace {

// Records what its bound functions receive, as text.
class Recorder : public TScriptTarget {
public:
    void Ints(int a, int b) { seen = std::to_string(a) + "," + std::to_string(b); }
    void Unsigned(uint32_t value) { seen = std::to_string(value); }
    void Bools(bool a, bool b) { seen = std::string(a ? "true" : "false") + "," + (b ? "true" : "false"); }
    void Text(const TString& text) { seen = std::string(text.CStr()) + "|" + std::to_string(text.Length()); }
    void Number(float value) { seen = std::to_string(value); }
    void Item(TLuaTable* table, TString key) {
        seen = std::string(key.CStr()) + "=" + table->GetString(1, "none").CStr();
        lastTable = table;
    }
    uint32_t Timer() { return 4000000000u; }
    int Depth() const { return -5; }
    TString Name(TString prefix) { return prefix + name; }
    bool Flag() { return true; }
    int Pair(lua_State* L) {
        lua_pushnumber(L, lua_gettop(L));
        lua_pushstring(L, name.CStr());
        return 2;
    }

    std::string seen;
    TString name = "first";
    TLuaTable* lastTable = nullptr;
};

class BindMemberTest : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        lua_State* L = script.GetState();
        BindMember(L, "Ints", &recorder, &Recorder::Ints);
        BindMember(L, "Unsigned", &recorder, &Recorder::Unsigned);
        BindMember(L, "Bools", &recorder, &Recorder::Bools);
        BindMember(L, "Text", &recorder, &Recorder::Text);
        BindMember(L, "Number", &recorder, &Recorder::Number);
        BindMember(L, "Item", &recorder, &Recorder::Item);
        BindMember(L, "Timer", &recorder, &Recorder::Timer);
        BindMember(L, "Depth", &recorder, &Recorder::Depth);
        BindMember(L, "Name", &recorder, &Recorder::Name);
        BindMember(L, "Flag", &recorder, &Recorder::Flag);
        BindRawMember(L, "Pair", &recorder, &Recorder::Pair);
    }
    // The results of script text, each as tostring shows it, joined by blanks.
    std::string Results(const char* code) {
        lua_State* L = script.GetState();
        std::string text;
        EXPECT_EQ(script.DoLuaString(TString("results = {") + code + "}"), 0) << code;
        for (int i = 1;; ++i) {
            lua_pushstring(L, "results");
            lua_gettable(L, LUA_GLOBALSINDEX);
            lua_rawgeti(L, -1, i);
            bool end = lua_isnil(L, -1) && i > lua_getn(L, -2);
            TString item = DescribeValue(L, -1);
            lua_pop(L, 2);
            if (end) break;
            text += (text.empty() ? "" : " ") + std::string(item.CStr());
        }
        return text;
    }

    Recorder recorder;
};

TEST_F(BindMemberTest, ArgumentsConvertWithoutChecks) {
    struct Case {
        const char* call;
        std::string seen;
    };
    const Case cases[] = {
        {"Ints(10.9, -3.7)", "10,-3"},
        {"Ints()", "0,0"},
        {"Ints('12', {})", "12,0"},
        {"Ints(1e300, -1e300)", std::to_string(INT_MAX) + "," + std::to_string(INT_MIN)},
        {"Ints(0/0, 2)", "0,2"},
        {"Unsigned(4294967295)", "4294967295"},
        {"Unsigned(-1)", "0"},
        {"Bools(0, nil)", "true,false"},
        {"Bools(false, '')", "false,true"},
        {"Text(12)", "12|2"},
        {"Text()", "|0"},
        {"Text({})", "|0"},
        {"Number(0.1)", std::to_string(0.1f)},
        {"Number('x')", std::to_string(0.0f)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        recorder.seen.clear();
        ASSERT_EQ(script.DoLuaString(c.call), 0);
        EXPECT_EQ(recorder.seen, c.seen);
    }
}

TEST_F(BindMemberTest, ResultsConvertByType) {
    EXPECT_EQ(Results("Timer(), Depth(), Name('the '), Flag(), Ints(1, 2)"), "4000000000 -5 the first true");
    EXPECT_EQ(Results("Pair('a', 'b', 'c')"), "3 first");
}

TEST_F(BindMemberTest, TableArgumentsLiveUntilTheScriptsNextCall) {
    ASSERT_EQ(script.DoLuaString("Item({'apple'}, 'fruit')"), 0);
    EXPECT_EQ(recorder.seen, "fruit=apple");
    lua_State* L = script.GetState();
    lua_setgcthreshold(L, 0);
    EXPECT_EQ(recorder.lastTable->GetString(1, "gone"), TString("apple"));
    ASSERT_EQ(script.DoLuaString("x = 1"), 0);  // deletes the wrapper (AddressSanitizer checks the rest)

    // A table read on a coroutine thread is held by the owner's state: the thread may go first.
    TScript* thread = script.CreateThreadScript();
    ASSERT_EQ(script.DoLuaString("function UseItem() Item({'pear'}, 'late') end"), 0);
    lua_State* T = thread->GetState();
    lua_pushstring(T, "UseItem");
    lua_gettable(T, LUA_GLOBALSINDEX);
    ASSERT_EQ(lua_resume(T, 0), 0);
    EXPECT_EQ(recorder.seen, "late=pear");
    EXPECT_EQ(recorder.lastTable->GetState(), L);
    delete thread;
    lua_setgcthreshold(L, 0);
    ASSERT_EQ(script.DoLuaString("x = 2"), 0);
}

class DerivedRecorder : public Recorder {};

TEST_F(BindMemberTest, ALaterBindingReplacesTheEarlierOne) {
    DerivedRecorder second;  // bound through a member of its base
    second.name = "second";
    BindMember(script.GetState(), "Name", &second, &Recorder::Name);
    EXPECT_EQ(Results("Name('')"), "second");
}

TEST_F(BindMemberTest, FunctionsOfADestroyedObjectAnswerNothing) {
    lua_State* L = script.GetState();
    auto doomed = std::make_unique<Recorder>();
    auto survivor = std::make_unique<Recorder>();
    survivor->name = "survivor";
    BindMember(L, "Timer", doomed.get(), &Recorder::Timer);
    BindMember(L, "Depth", doomed.get(), &Recorder::Depth);
    BindMember(L, "Flag", doomed.get(), &Recorder::Flag);
    BindMember(L, "Ints", doomed.get(), &Recorder::Ints);
    BindRawMember(L, "Pair", doomed.get(), &Recorder::Pair);
    BindMember(L, "Name", doomed.get(), &Recorder::Name);
    ASSERT_EQ(script.DoLuaString("OldName = Name"), 0);
    BindMember(L, "Name", survivor.get(), &Recorder::Name);  // rebound before the first one dies

    doomed.reset();
    // Fresh objects may take the freed memory; they must not be mistaken for it.
    auto newcomer = std::make_unique<Recorder>();
    EXPECT_EQ(Results("Timer(), Depth(), Flag(), OldName('x') == nil, Ints(1, 2) == nil, Pair() == nil"),
              "0 0 false true true true");
    EXPECT_EQ(Results("Name('')"), "survivor");
    BindMember(L, "Nobody", static_cast<Recorder*>(nullptr), &Recorder::Flag);
    EXPECT_EQ(Results("Nobody()"), "false");
}

int Twice(int value) {
    return 2 * value;
}

TEST_F(BindMemberTest, PlainFunctionsAndLambdasBindTheSameWay) {
    BindFunction(script.GetState(), "Twice", &Twice);
    BindFunction(script.GetState(), "Join", +[](TString a, TString b) { return a + "-" + b; });
    EXPECT_EQ(Results("Twice(2.9), Join('a', 7), Join()"), "4 a-7 -");
}

}  // namespace
