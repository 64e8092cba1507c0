#include "engine/ui/window_style.h"

#include <memory>

#include "tests/engine/scripthost/script_fixture.h"

namespace {

// A style table "style" and a default style with two parents, made by script text.
class WindowStyleTest : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        ASSERT_EQ(script.DoLuaString(R"(
            grandparent = { deep = 3, flag = true }
            gCurrentDefaultStyle = { shared = 'default', width = 10, parent = { near = 2, parent = grandparent } }
            style = { width = 12.9, negative = -3.7, hidden = false, zero = 0, title = 'Hello', count = 7,
                      color = { 0.25, 0.5, 0.75, 1 }, short = { 0.5 }, items = { 'a' }, numeric = '42',
                      action = function() pressed = true end,
                      parent = { own = 'not followed' } }
        )"),
                  0);
        lua_State* L = script.GetState();
        lua_pushstring(L, "style");
        lua_gettable(L, LUA_GLOBALSINDEX);
        wrapper = std::make_unique<TLuaObjectWrapper>(L);
        top = lua_gettop(L);
    }
    void TearDown() override {
        EXPECT_EQ(lua_gettop(script.GetState()), top);  // every read leaves the stack as it was
        wrapper.reset();
        ScriptTest::TearDown();
    }

    std::unique_ptr<TLuaObjectWrapper> wrapper;
    int top = 0;
};

TEST_F(WindowStyleTest, AttributesComeFromTheStyleThenTheDefaultChain) {
    TWindowStyle style(wrapper.get());
    struct Case {
        const char* name;
        double value;  // -1: the caller's fallback
    };
    const Case cases[] = {
        {"width", 12.9},  // the style wins over the default
        {"shared", 0},    // found in the default style: a non-number reads as 0
        {"near", 2},      // the default style's parent
        {"deep", 3},      // and its parent
        {"numeric", 42},
        {"own", -1},      // the style's own parent is not searched
        {"absent", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(style.GetNumber(c.name, -1), c.value);
    }
    EXPECT_EQ(style.GetInt("width", 0), 12);
    EXPECT_EQ(style.GetInt("negative", 0), -3);
    EXPECT_EQ(style.GetString("shared", "x"), TString("default"));
    EXPECT_EQ(style.GetString("count", "x"), TString("7"));
    EXPECT_EQ(style.GetString("items", "x"), TString(""));
    EXPECT_EQ(style.GetString("absent", "x"), TString("x"));
}

TEST_F(WindowStyleTest, BoolsFollowThePopRulesAndAPresentFalseIsFound) {
    TWindowStyle style(wrapper.get());
    EXPECT_FALSE(style.GetBool("hidden", true));
    EXPECT_FALSE(style.GetBool("zero", true));
    EXPECT_TRUE(style.GetBool("flag", false));  // from the default chain
    EXPECT_TRUE(style.GetBool("absent", true));
    EXPECT_FALSE(style.GetBool("title", true));
    EXPECT_NE(Log().find("PopBool used on lua string Hello"), std::string::npos);
}

TEST_F(WindowStyleTest, ColorsTablesAndFunctions) {
    TWindowStyle style(wrapper.get());
    const TScriptColor fallback = {1, 1, 1, 1};
    EXPECT_EQ(style.GetColor("color", fallback), (TScriptColor{0.25f, 0.5f, 0.75f, 1}));
    EXPECT_EQ(style.GetColor("short", fallback), (TScriptColor{0.5f, 0, 0, 0}));
    EXPECT_EQ(style.GetColor("width", fallback), fallback);
    EXPECT_EQ(style.GetColor("absent", fallback), fallback);

    std::unique_ptr<TLuaTable> items = style.GetTable("items");
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->GetString(1, ""), TString("a"));
    EXPECT_EQ(style.GetTable("title"), nullptr);
    EXPECT_EQ(style.GetTable("absent"), nullptr);

    std::unique_ptr<TLuaFunction> action = style.GetFunction("action");
    ASSERT_NE(action, nullptr);
    action->CallNow();
    EXPECT_EQ(style.GetFunction("absent"), nullptr);
    lua_State* L = script.GetState();
    lua_pushstring(L, "pressed");
    lua_gettable(L, LUA_GLOBALSINDEX);
    EXPECT_TRUE(lua_toboolean(L, -1));
    lua_pop(L, 1);
}

TEST_F(WindowStyleTest, BrokenDefaultStylesGiveTheFallback) {
    TWindowStyle style(wrapper.get());
    ASSERT_EQ(script.DoLuaString("gCurrentDefaultStyle = 5"), 0);
    EXPECT_EQ(style.GetNumber("near", -1), -1);
    EXPECT_EQ(style.GetNumber("width", -1), 12.9);

    // A parent chain that loops ends the search instead of running forever.
    ASSERT_EQ(script.DoLuaString("gCurrentDefaultStyle = {} gCurrentDefaultStyle.parent = gCurrentDefaultStyle"), 0);
    EXPECT_EQ(style.GetNumber("near", -1), -1);
    EXPECT_NE(Log().find("Style attribute near: the default style's parents nest deeper than"), std::string::npos);
}

}  // namespace
