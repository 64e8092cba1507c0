#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/app/game_state.h"
#include "engine/scripthost/game_state_script.h"
#include "engine/script/auxlib.h"
#include "engine/script/lua.h"
#include "engine/script/lualib.h"

namespace {

class Recorder : public TGameStateHandler {
public:
    bool SetState(const TString& name, const TString& value) override {
        seen += std::string(name.CStr()) + "=" + value.CStr() + ";";
        return true;
    }
    int GetState(const TString& name, int fallback) override { return name == "level" ? 7 : fallback; }
    bool QueryJumpToMenu() override { return true; }
    std::string seen;
};

class GameStateScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        state_ = lua_open();
        luaopen_base(state_);
        lua_settop(state_, 0);
        RegisterGameStateFunctions(state_);
    }
    void TearDown() override {
        lua_close(state_);
        TGameState::DestroyInstance();
    }
    // Runs the chunk and answers its first result as text.
    std::string Run(const char* source) {
        lua_settop(state_, 0);
        if (luaL_loadbuffer(state_, source, strlen(source), "test") != 0 || lua_pcall(state_, 0, 1, 0) != 0)
            return std::string("error: ") + (lua_tostring(state_, -1) ? lua_tostring(state_, -1) : "?");
        return lua_tostring(state_, -1) ? lua_tostring(state_, -1) : "nil";
    }
    lua_State* state_ = nullptr;
};

TEST_F(GameStateScriptTest, ScriptsReachTheBridge) {
    EXPECT_EQ(Run("return tostring(GetState('level', 3))"), "3"); // no bridge yet
    EXPECT_EQ(Run("return tostring(QueryJumpToMenu())"), "false");
    Run("_SetState('ignored', 'x')");

    auto recorder = std::make_unique<Recorder>();
    Recorder* seen = recorder.get();
    TGameState::CreateInstance()->AddHandler(std::move(recorder));
    EXPECT_EQ(Run("return tostring(GetState('level', 3))"), "7");
    EXPECT_EQ(Run("return tostring(GetState('other', 3))"), "3");
    EXPECT_EQ(Run("return tostring(QueryJumpToMenu())"), "true");
    EXPECT_EQ(Run("return tostring(QueryMuteGame())"), "false");
    EXPECT_EQ(Run("return tostring(QueryRestartMode())"), "false");
    Run("_SetState('score', 1200) _SetState('gamemode', 'timed')");
    EXPECT_EQ(seen->seen, "score=1200;gamemode=timed;");
}

}  // namespace
