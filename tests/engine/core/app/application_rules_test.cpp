// Settings side effects, the C generator and the product name chain.
#include <gtest/gtest.h>

#include "engine/core/app/application_data.h"
#include "engine/core/base/config.h"
#include "engine/core/base/crandom.h"

namespace {

std::vector<std::pair<std::string, std::string>> sunk;

void RecordSetting(const TString& key, const TString& value) {
    sunk.emplace_back(key.CStr(), value.CStr());
}

TEST(ConfigEffects, LegacyLineWrapTurnsOnForAnyValue) {
    SetConfig("legacylinewrap", "0");
    EXPECT_TRUE(IsLegacyLineWrap());
    SetConfig("legacylinewrap", "");
    EXPECT_TRUE(IsLegacyLineWrap());
}

TEST(ConfigEffects, RuntimeSinkSeesEveryPairWhileInstalled) {
    sunk.clear();
    SetRuntimeSettingSink(RecordSetting);
    SetConfig("vsync", "1");
    SetConfig("other", "x");
    SetRuntimeSettingSink(nullptr);
    SetConfig("vsync", "0");
    EXPECT_EQ(sunk, (std::vector<std::pair<std::string, std::string>>{{"vsync", "1"}, {"other", "x"}}));
    EXPECT_STREQ(GetConfig("vsync").CStr(), "0");
}

// Stands in for the preferences cipher: "enc(<text>)" deciphers to <text> with the key "k".
TString FakeDecipher(const TString& key, const TString& code) {
    if (key != "k" || code.Find("enc(") != 0) return TString();
    return code.Mid(4, static_cast<int>(code.Length()) - 5);
}

TEST(ConfigEffects, CheatModeFollowsTheDecipheredCode) {
    ClearConfig();
    SetCheatDecipher(FakeDecipher);
    SetConfig("computerid", "ABCD");
    struct Step {
        const char* key;
        const char* value;
        const char* cheatmode;  // null: not set at all
    } steps[] = {
        {"cheatcode", "enc(ABCD)", nullptr},  // no key yet: nothing changes
        {"encryptionkey", "k", "1"},
        {"cheatcode", "enc(WXYZ)", "0"},
        {"cheatcode", "garbage", "0"},
        {"cheatcode", "", "0"},               // empty code: the state stays
        {"cheatcode", "enc(ABCD)", "1"},
        {"encryptionkey", "other", "0"},
    };
    for (const Step& step : steps) {
        SetConfig(step.key, step.value);
        EXPECT_STREQ(GetConfig("cheatmode", "unset").CStr(), step.cheatmode ? step.cheatmode : "unset")
            << step.key << "=" << step.value;
    }
    SetCheatDecipher(nullptr);
    ClearConfig();
}

TEST(CRandom, MatchesTheClassicGenerator) {
    // The first values of the classic generator seeded with 1.
    SeedCRandom(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected) EXPECT_EQ(CRandom(), value);
    SeedCRandom(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        int value = CRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(ProductName, GameNameWinsThenBuiltInThenDefault) {
    ClearConfig();
    EXPECT_STREQ(ChooseProductName("  Built In").CStr(), "Built In");
    EXPECT_STREQ(ChooseProductName("").CStr(), "Wendmoor Application");
    EXPECT_STREQ(ChooseProductName("   ").CStr(), "Wendmoor Application");
    SetConfig("gamename", "Alembria");
    EXPECT_STREQ(ChooseProductName("Built In").CStr(), "Alembria");
    ClearConfig();
}

}  // namespace
