#include "engine/core/base/config.h"

#include <gtest/gtest.h>

TEST(Config, GetNeverInserts) {
    ClearConfig();
    EXPECT_STREQ(GetConfig("never-set", "x").CStr(), "x");
    EXPECT_STREQ(GetConfig("never-set").CStr(), "");
    SetConfig("flag", "2");
    EXPECT_TRUE(IsEnabled("flag"));
    SetConfig("flag", "0");
    EXPECT_FALSE(IsEnabled("flag"));
    EXPECT_FALSE(IsEnabled("never-set"));
    EXPECT_STREQ(GetConfig("never-set", "y").CStr(), "y");
}
