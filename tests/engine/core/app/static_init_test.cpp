// Settings and the log are usable from static initialisers, before main runs.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "engine/core/base/config.h"
#include "engine/core/base/log.h"

namespace {

struct EarlyUser {
    EarlyUser() {
        missingBeforeMain = GetConfig("early-key", "fallback").CStr();
        SetConfig("early-key", "written before main");
        readBack = GetConfig("early-key").CStr();
        LogPrintf("no log yet: %d", 1);
    }
    std::string missingBeforeMain;
    std::string readBack;
};

EarlyUser earlyUser;

TEST(StaticInit, SettingsAndLogWorkBeforeMain) {
    EXPECT_EQ(earlyUser.missingBeforeMain, "fallback");
    EXPECT_EQ(earlyUser.readBack, "written before main");
    EXPECT_FALSE(std::filesystem::exists("logfile.txt"));
}

}  // namespace
