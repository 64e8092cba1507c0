// A script host with its log in a folder of its own, on the test clock.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/core/base/log.h"
#include "engine/core/files/file.h"
#include "engine/script/lua.h"
#include "engine/scripthost/script.h"
#include "platform/clock/clock.h"

class ScriptTest : public testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() / ("alembria-script-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        LogInit(folder.c_str());
        SetStartupFolder(folder.c_str());  // "::name" is a file of the folder
        platform::SetTestClock(5000);
        platform::UseClockBackend(platform::ClockBackend::Test);
    }
    void TearDown() override {
        platform::UseClockBackend(platform::ClockBackend::Real);
        LogInit(nullptr);
        SetStartupFolder(TString());
        std::filesystem::remove_all(folder);
    }
    std::string Log() const {
        std::ifstream in(folder / "logfile.txt", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    double Global(const char* name) {
        lua_State* L = script.GetState();
        lua_pushstring(L, name);
        lua_gettable(L, LUA_GLOBALSINDEX);
        return script.PopNumber();
    }

    std::filesystem::path folder;
    TScript script;
};
