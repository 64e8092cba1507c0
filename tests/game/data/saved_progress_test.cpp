#include "game/data/saved_progress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/data/game_tables.h"
#include "tests/game/data/log_capture.h"

namespace {

const std::string kFreshLevel = "0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0";
const std::string kBareCounts = std::string(24, '!');

// A valid level piece for level n.
std::string Level(int n) {
    return std::to_string(n) + "^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0";
}

std::string UserText(const std::string& selected, const std::string& levels) {
    return "1|" + selected + "|" + levels + "|0|0|0|0|" + kBareCounts + "|" + kBareCounts + "|" + kBareCounts + "|" +
           kBareCounts;
}

class SavedProgress : public ::testing::Test {
protected:
    void SetUp() override { GetGameTables().levelCount = 5; }
    void TearDown() override { GetGameTables() = GameTables(); }
    LogCapture log;
};

}  // namespace

TEST_F(SavedProgress, FreshRecordsFormatAsTheDefaults) {
    EXPECT_EQ(SavedLevelRecord().Format().CStr(), kFreshLevel);

    UserRecord bare;
    EXPECT_EQ(bare.selectedLevel, -1);
    EXPECT_TRUE(bare.savedLevels.empty());
    bare.Init();
    EXPECT_EQ(bare.selectedLevel, 0);
    EXPECT_EQ(bare.Format().CStr(), UserText("0", kFreshLevel));
}

TEST_F(SavedProgress, LevelRecordsRoundTrip) {
    SavedLevelRecord record;
    record.level = 5;  // the level count itself is accepted
    record.startMoney = 1234;
    record.earnedMoney = -7;
    record.collapseDue = true;
    record.drawerLevel = 3;
    record.shoesLevel = 2;
    record.phoenixLevel = 3;
    record.harpLevel = 1;
    record.expert = true;
    record.cauldronLevels = {3, 2, 1};
    record.storedPotions = {8, -1000, -1};
    record.charmBits = 8;
    TString text = record.Format();
    EXPECT_STREQ(text.CStr(), "5^1234^-7^1^3^2^3^1^3,2,1^8,-1000,-1^8^1");

    SavedLevelRecord read;
    ASSERT_TRUE(read.Parse(text));
    EXPECT_STREQ(read.Format().CStr(), text.CStr());
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(SavedProgress, LevelRecordsRefuseBadPiecesWithTheirReason) {
    struct Case {
        std::string text;
        std::string message;  // empty: accepted
    };
    const Case cases[] = {
        {"", "[ERROR] Invalid level: "},
        {"0^0^0", "[ERROR] Invalid level: 0^0^0"},
        {kFreshLevel + "^0", "[ERROR] Invalid level: " + kFreshLevel + "^0"},
        {"-1^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0", "[ERROR] Invalid level number: -1^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0"},
        {Level(5), ""},
        {Level(6), "[ERROR] Invalid level number: 6^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0"},
        {"0^0^0^0^0^1^1^0^1,0^-1,-1,-1^0^0", "[ERROR] Invalid cauldrons per level: 0^0^0^0^0^1^1^0^1,0^-1,-1,-1^0^0"},
        {"0^0^0^0^0^1^1^0^1,0,0,0^-1,-1,-1^0^0",
         "[ERROR] Invalid cauldrons per level: 0^0^0^0^0^1^1^0^1,0,0,0^-1,-1,-1^0^0"},
        {"0^0^0^0^0^1^1^0^1,0,0^-1,-1^0^0",
         "[ERROR] Invalid stored potions per level: 0^0^0^0^0^1^1^0^1,0,0^-1,-1^0^0"},
        {"0^0^0^0^0^1^1^0^1,0,0^^0^0", "[ERROR] Invalid stored potions per level: 0^0^0^0^0^1^1^0^1,0,0^^0^0"},
        {"0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^8^0", ""},
        {"0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^9^0", "[ERROR] Invalid charms per level: 0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^9^0"},
        {"0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^-1^0",
         "[ERROR] Invalid charms per level: 0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^-1^0"},
    };
    for (const Case& c : cases) {
        LogCapture caseLog;
        SavedLevelRecord record;
        EXPECT_EQ(record.Parse(c.text.c_str()), c.message.empty()) << c.text;
        std::vector<std::string> expected;
        if (!c.message.empty()) expected.push_back(c.message);
        EXPECT_EQ(caseLog.Messages(), expected) << c.text;
    }
}

TEST_F(SavedProgress, FlagsAreSetOnlyByOne) {
    SavedLevelRecord record;
    ASSERT_TRUE(record.Parse("0^0^0^2^0^1^1^0^1,0,0^-1,-1,-1^0^01"));
    EXPECT_FALSE(record.collapseDue);
    EXPECT_TRUE(record.expert);  // "01" converts to 1
}

TEST_F(SavedProgress, UserRecordsRoundTrip) {
    UserRecord record;
    record.Init();
    record.savedLevels.push_back(SavedLevelRecord::NextLevel(record.savedLevels[0]));
    record.savedLevels[1].harpLevel = 2;
    record.selectedLevel = 1;
    record.trophyBits = 0xFFFFFFFFu;  // written with %u: read back whole
    record.cleanLevelBits = 0x5;
    record.expertLevelBits = 0x2;
    record.itemsBought = 7;
    record.servedPotions = "#\"!";
    record.feathers = "";
    record.fruits = "{{{";
    TString text = record.Format();

    auto read = UserRecord::Parse(text);
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->Format().CStr(), text.CStr());
    EXPECT_EQ(read->selectedLevel, 1);
    ASSERT_EQ(read->savedLevels.size(), 2u);
    EXPECT_EQ(read->savedLevels[1].harpLevel, 2);
    EXPECT_EQ(read->trophyBits, 0xFFFFFFFFu);
    EXPECT_EQ(read->itemsBought, 7u);
    EXPECT_STREQ(read->servedPotions.CStr(), "#\"!");
    EXPECT_STREQ(read->feathers.CStr(), "");
    EXPECT_STREQ(read->artifacts.CStr(), kBareCounts.c_str());
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(SavedProgress, BlanksAnywhereAreIgnored) {
    std::string spaced = " 1 | 1 | " + Level(0) + " ; 1 ^ 5 ^ 0 ^0^0^1^1^0^ 1, 0 ,0 ^-1, -1,-1^0^0 | 3 |0|0|0|" +
                         kBareCounts + "|" + kBareCounts + " | " + kBareCounts + "|" + kBareCounts + " ";
    auto read = UserRecord::Parse(spaced.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Format().CStr(), "1|1|" + Level(0) + ";1^5^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0|3|0|0|0|" + kBareCounts +
                                         "|" + kBareCounts + "|" + kBareCounts + "|" + kBareCounts);
}

TEST_F(SavedProgress, UserRecordsRefuseOrRepairWithTheirMessages) {
    const std::string fourLevels = Level(0) + ";" + Level(1) + ";broken;" + Level(3);
    const std::string sixLevels =
        Level(0) + ";" + Level(1) + ";" + Level(2) + ";" + Level(3) + ";" + Level(4) + ";" + Level(5);
    struct Case {
        std::string text;
        int savedLevels;  // 0: refused
        int selected;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"", 0, 0, {"[WARN] Empty or invalid user string: "}},
        {"1|0|" + Level(0), 0, 0, {"[WARN] Empty or invalid user string: 1|0|" + Level(0)}},
        {UserText("0", Level(0)) + "|x",
         0,
         0,
         {"[WARN] Empty or invalid user string: " + UserText("0", Level(0)) + "|x"}},
        {"2" + UserText("0", Level(0)).substr(1),
         0,
         0,
         {"[ERROR] Invalid version in string: 2" + UserText("0", Level(0)).substr(1)}},
        {UserText("0", ""), 0, 0, {"[ERROR] Missing valid level: "}},
        {UserText("0", "broken"), 0, 0, {"[ERROR] Invalid level: broken", "[ERROR] Missing valid level: broken"}},
        {UserText("3", fourLevels),
         2,
         1,
         {"[ERROR] Invalid level: broken", "[ERROR] Invalid level selected: " + UserText("3", fourLevels)}},
        {UserText("2", Level(0) + ";" + Level(1)),
         2,
         1,
         {"[ERROR] Invalid level selected: " + UserText("2", Level(0) + ";" + Level(1))}},
        {UserText("-1", Level(0)), 1, 0, {"[ERROR] Invalid level selected: " + UserText("-1", Level(0))}},
        {UserText("4", sixLevels), 5, 4, {"[ERROR] Invalid number of levels: " + sixLevels}},
        {UserText("1", Level(0) + ";" + Level(1)), 2, 1, {}},
    };
    for (const Case& c : cases) {
        LogCapture caseLog;
        auto read = UserRecord::Parse(c.text.c_str());
        EXPECT_EQ(read != nullptr, c.savedLevels > 0) << c.text;
        if (read) {
            EXPECT_EQ(static_cast<int>(read->savedLevels.size()), c.savedLevels) << c.text;
            EXPECT_EQ(read->selectedLevel, c.selected) << c.text;
        }
        EXPECT_EQ(caseLog.Messages(), c.messages) << c.text;
    }
}

// Progress cut short anywhere (a save that did not finish, a damaged store) is refused with the
// warning; only a cut inside the last count text is read, and then every level is kept.
TEST_F(SavedProgress, TruncatedTextsAreRefusedWithTheirMessage) {
    UserRecord record;
    record.Init();
    record.savedLevels.push_back(SavedLevelRecord::NextLevel(record.savedLevels[0]));
    record.selectedLevel = 1;
    const std::string text = record.Format().CStr();
    const size_t lastField = text.rfind('|') + 1;
    for (size_t cut = 0; cut < text.size(); ++cut) {
        LogCapture caseLog;
        const std::string prefix = text.substr(0, cut);
        std::unique_ptr<UserRecord> read = UserRecord::Parse(prefix.c_str());
        if (cut < lastField) {
            EXPECT_EQ(read, nullptr) << prefix;
            EXPECT_EQ(caseLog.Messages(), std::vector<std::string>{"[WARN] Empty or invalid user string: " + prefix});
        } else {
            ASSERT_NE(read, nullptr) << prefix;
            EXPECT_EQ(read->savedLevels.size(), 2u);
            EXPECT_EQ(read->selectedLevel, 1);
            EXPECT_EQ(read->fruits.Length(), cut - lastField);
        }
    }
}

TEST_F(SavedProgress, CountTextsAlwaysParseBack) {
    EXPECT_EQ(SavedCountChar(0), '!');
    EXPECT_EQ(SavedCountChar(90), '{');
    EXPECT_EQ(SavedCountChar(91), '{');  // '!' + 91 would be the field separator '|'
    EXPECT_EQ(SavedCountChar(500), '{');
    EXPECT_EQ(SavedCountChar(-4), '!');
    EXPECT_EQ(SavedCountValue('{'), 90);
    EXPECT_EQ(SavedCountValue(SavedCountChar(17)), 17);

    UserRecord record;
    record.Init();
    record.servedPotions = TString("!|!");
    record.feathers = TString("\x7f\x80 ");
    record.artifacts = TString(std::string(30, '"').c_str());  // longer than the 24 levels a text holds
    auto read = UserRecord::Parse(record.Format());
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->servedPotions.CStr(), "!{!");
    EXPECT_STREQ(read->feathers.CStr(), "{{!");
    EXPECT_STREQ(read->artifacts.CStr(), std::string(24, '"').c_str());
}

TEST_F(SavedProgress, LongCountFieldsInStoredTextAreCut) {
    std::string text = UserText("0", Level(0));
    text.replace(text.rfind('|') + 1, std::string::npos, std::string(40, '#'));
    auto read = UserRecord::Parse(text.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->fruits.CStr(), std::string(24, '#').c_str());
}

TEST_F(SavedProgress, NextLevelCarriesMoneyAndUpgrades) {
    SavedLevelRecord finished;
    finished.level = 2;
    finished.startMoney = 100;
    finished.earnedMoney = 250;
    finished.collapseDue = true;
    finished.expert = true;
    finished.drawerLevel = 2;
    finished.shoesLevel = 3;
    finished.phoenixLevel = 2;
    finished.harpLevel = 1;
    finished.cauldronLevels = {2, 1, 0};
    finished.storedPotions = {4, -1, 7};
    finished.charmBits = 2;
    SavedLevelRecord next = SavedLevelRecord::NextLevel(finished);
    EXPECT_STREQ(next.Format().CStr(), "3^350^0^0^2^3^2^1^2,1,0^4,-1,7^2^0");

    // Money read from a damaged profile can be as large as an int goes: the sum stops there.
    SavedLevelRecord rich;
    ASSERT_TRUE(rich.Parse("1^2147483647^99999999999^0^0^1^1^0^1,0,0^-1,-1,-1^0^0"));
    EXPECT_EQ(SavedLevelRecord::NextLevel(rich).startMoney, 2147483647);
    ASSERT_TRUE(rich.Parse("1^-2147483648^-5^0^0^1^1^0^1,0,0^-1,-1,-1^0^0"));
    EXPECT_EQ(SavedLevelRecord::NextLevel(rich).startMoney, -2147483647 - 1);
}

TEST_F(SavedProgress, AdvanceLevelMakesTheNextRecordOnce) {
    struct Case {
        int savedLevels;
        int selected;
        int selectedAfter;
        int savedLevelsAfter;
        int startMoneyAtSelected;  // of the selected record afterwards
    };
    // Level count 5; every saved record i has start money 10 * i and earned money 1.
    const Case cases[] = {
        {5, 4, 4, 5, 40},  // the last level: nothing changes
        {4, 3, 4, 5, 31},  // the last level reached for the first time: appended
        {5, 3, 4, 5, 40},  // the last level's record is not replaced
        {3, 0, 1, 3, 1},  // an earlier level won again: the next record is replaced
        {1, 0, 1, 2, 1},
    };
    for (const Case& c : cases) {
        UserRecord record;
        for (int i = 0; i < c.savedLevels; ++i) {
            SavedLevelRecord level;
            level.level = i;
            level.startMoney = 10 * i;
            level.earnedMoney = 1;
            record.savedLevels.push_back(level);
        }
        record.selectedLevel = c.selected;
        record.AdvanceLevel();
        EXPECT_EQ(record.selectedLevel, c.selectedAfter) << c.selected;
        ASSERT_EQ(static_cast<int>(record.savedLevels.size()), c.savedLevelsAfter) << c.selected;
        EXPECT_EQ(record.savedLevels[static_cast<size_t>(record.selectedLevel)].startMoney, c.startMoneyAtSelected)
            << c.selected;
        EXPECT_EQ(record.savedLevels[static_cast<size_t>(record.selectedLevel)].level, record.selectedLevel);
    }

    UserRecord bare;  // no level in play: nothing to advance
    bare.AdvanceLevel();
    EXPECT_TRUE(bare.savedLevels.empty());
}
