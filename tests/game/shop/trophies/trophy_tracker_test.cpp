#include "game/shop/trophies/trophy_tracker.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/data/game_tables.h"
#include "game/data/saved_progress.h"
#include "game/shop/trophies/trophy_listener.h"
#include "tests/game/data/log_capture.h"

namespace {

class RecordingListener : public iTrophies {
public:
    void OnTrophyGained(clsTrophyTracker*, unsigned bit) override { gained.push_back(bit); }
    std::vector<unsigned> gained;
};

class TrophyTrackerTest : public ::testing::Test {
protected:
    void SetUp() override { SetLevels(5); }
    void TearDown() override {
        clsTrophyTracker::DestroyInstance();
        GetGameTables() = GameTables();
    }

    // A tracker made for a game of count levels, with thresholds no test reaches unless it lowers them.
    clsTrophyTracker& SetLevels(int count) {
        clsTrophyTracker::DestroyInstance();
        GameTables& tables = GetGameTables();
        tables = GameTables();
        tables.levelCount = count;
        tables.grandWitchLevels = count;
        tables.magicCatBeltLevels = count;
        for (int* threshold : {&tables.potionMaster, &tables.potionMasterGold, &tables.goldenPhoenixFeather,
                               &tables.artifact, &tables.plant, &tables.potionpedia, &tables.shopMonth,
                               &tables.shopYear, &tables.upgradeFreak})
            *threshold = 1000;
        tracker_ = clsTrophyTracker::GetInstance();
        tracker_->SetListener(&listener_);
        return *tracker_;
    }

    // Loads a record whose only non-zero statistics are the clean-level bits.
    void SetCleanBits(uint32_t bits) {
        UserRecord record;
        record.cleanLevelBits = bits;
        tracker_->LoadFromRecord(record);
    }

    clsTrophyTracker* tracker_ = nullptr;
    RecordingListener listener_;
};

TEST_F(TrophyTrackerTest, PotionTrophiesAreAwardedOnceWhenTheTotalOverAllLevelsReachesTheirThresholds) {
    GetGameTables().potionMaster = 3;
    GetGameTables().potionMasterGold = 5;
    LogCapture log;
    tracker_->StartLevel(0);
    tracker_->CountPotion();
    tracker_->CountPotion();
    tracker_->StartLevel(1);
    tracker_->CountPotion();  // third over both levels
    tracker_->CountPotion();
    EXPECT_EQ(listener_.gained, std::vector<unsigned>{clsTrophyTracker::kPotionMaster});
    tracker_->CountPotion();
    EXPECT_EQ(listener_.gained, (std::vector<unsigned>{clsTrophyTracker::kPotionMaster,
                                                       clsTrophyTracker::kPotionMasterGold}));
    EXPECT_TRUE(tracker_->HasPotionMaster());
    EXPECT_TRUE(tracker_->HasPotionMasterGold());
    EXPECT_EQ(tracker_->GetServedPotions(), (std::vector<int>{2, 3, 0, 0, 0}));
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{"Potion counter: 1", "Potion counter: 2",
                                                        "New Trophy: PotionMaster:", "Potion counter: 3",
                                                        "Potion counter: 4", "New Trophy: PotionMAsterGold:",
                                                        "Potion counter: 5"}));
}

TEST_F(TrophyTrackerTest, EachCounterLogsItsOwnLineAndAwardsItsTrophy) {
    GameTables& tables = GetGameTables();
    tables.goldenPhoenixFeather = tables.artifact = tables.plant = 1;
    LogCapture log;
    tracker_->StartLevel(2);
    tracker_->CountFeather();
    tracker_->CountArtifact();
    tracker_->CountFruit();
    tracker_->CountLostCustomer();
    tracker_->CountLostCustomer();
    tracker_->MarkExpert();
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{"New Trophy: GoldenPhoenixFeather:", "Feather counter: 1",
                                        "New Trophy: Artifact:", "Actifact counter: 1", "New Trophy: Plant:",
                                        "Fruit counter: 1", "Lose client counter: 1", "Lose client counter: 2",
                                        "Expert status: 4"}));
    EXPECT_TRUE(tracker_->HasGoldenPhoenixFeather() && tracker_->HasArtifact() && tracker_->HasPlant());
    EXPECT_EQ(tracker_->GetFeathers()[2], 1);
}

TEST_F(TrophyTrackerTest, UpgradeFreakComesWithExactlyTheConfiguredPurchase) {
    GetGameTables().upgradeFreak = 3;
    std::vector<uint32_t> answers;
    for (int purchase = 1; purchase <= 5; ++purchase) answers.push_back(tracker_->CountItemBought());
    EXPECT_EQ(answers, (std::vector<uint32_t>{0, 0, clsTrophyTracker::kUpgradeFreak, 0, 0}));
    EXPECT_TRUE(tracker_->HasUpgradeFreak());
    EXPECT_EQ(clsTrophyTracker::TrophyName(clsTrophyTracker::kUpgradeFreak), "UpgradeFreak");
}

TEST_F(TrophyTrackerTest, LevelEndedMarksCleanLevelsAndAwardsRunsOnlyForAWonLevel) {
    struct Case {
        const char* what;
        uint32_t cleanBefore;
        int level;
        int lostCustomers;
        bool won;
        int shopMonth, shopYear;
        uint32_t cleanAfter;
        uint32_t awarded;
    };
    constexpr uint32_t kMonth = clsTrophyTracker::kShopMonth, kYear = clsTrophyTracker::kShopYear;
    const Case cases[] = {
        {"a clean third level makes a run of three", 0b0011, 2, 0, true, 3, 5, 0b0111, kMonth},
        {"a lost level wins nothing", 0b0011, 2, 0, false, 3, 5, 0b0111, 0},
        {"a lost customer breaks the run", 0b0111, 1, 1, true, 2, 5, 0b0101, 0},
        {"the run anywhere in the levels counts", 0b11000, 0, 1, true, 2, 5, 0b11000, kMonth},
        {"a long run wins both", 0b0111, 3, 0, true, 3, 4, 0b1111, kMonth | kYear},
        {"the run ends at the level count", 0b110111, 3, 0, true, 6, 6, 0b111111, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetLevels(5);
        GetGameTables().shopMonth = c.shopMonth;
        GetGameTables().shopYear = c.shopYear;
        SetCleanBits(c.cleanBefore);
        tracker_->StartLevel(c.level);
        for (int i = 0; i < c.lostCustomers; ++i) tracker_->CountLostCustomer();
        tracker_->LevelEnded(c.level, c.won);
        EXPECT_EQ(tracker_->GetCleanLevelBits(), c.cleanAfter);
        EXPECT_EQ(tracker_->GetTrophyBits(), c.awarded);
        EXPECT_TRUE(tracker_->IsDirty());
    }
}

TEST_F(TrophyTrackerTest, WinningTheNamedLevelAndTheLastLevelAwardTheLevelTrophies) {
    GetGameTables().potionpedia = 2;
    tracker_->LevelEnded(1, false);
    EXPECT_EQ(tracker_->GetTrophyBits(), 0u);
    tracker_->LevelEnded(1, true);
    EXPECT_EQ(tracker_->GetTrophyBits(), uint32_t{clsTrophyTracker::kPotionPedia});
    tracker_->LevelEnded(4, true);
    EXPECT_TRUE(tracker_->HasGrandWitch());
}

TEST_F(TrophyTrackerTest, MagicCatBeltNeedsTheExpertGoalOfEveryLevel) {
    tracker_->MarkExpert();  // no level yet: no bit
    EXPECT_EQ(tracker_->GetExpertLevelBits(), 0u);
    for (int level : {4, 0, 1, 2}) {
        tracker_->StartLevel(level);
        tracker_->MarkExpert();
    }
    EXPECT_FALSE(tracker_->HasMagicCatBelt());
    tracker_->StartLevel(3);
    tracker_->MarkExpert();
    EXPECT_EQ(tracker_->GetExpertLevelBits(), 31u);
    EXPECT_EQ(listener_.gained, std::vector<unsigned>{clsTrophyTracker::kMagicCatBelt});
}

TEST_F(TrophyTrackerTest, ClearingPotionsKeepsTheLevelsBeforeTheCurrentOne) {
    for (int level = 0; level < 4; ++level) {
        tracker_->StartLevel(level);
        tracker_->CountPotion();
    }
    tracker_->StartLevel(2);  // replaying level 2 starts its count afresh
    tracker_->CountPotion();
    tracker_->ClearPotionsFromCurrentLevel();
    EXPECT_EQ(tracker_->GetServedPotions(), (std::vector<int>{1, 1, 0, 0, 0}));
}

TEST_F(TrophyTrackerTest, CountsReadFromTheSavedTextUpToTheFirstCharacterThatIsNoCount) {
    tracker_->StartLevel(4);
    tracker_->CountFruit();
    UserRecord record;
    record.servedPotions = "!!\"#";
    record.fruits = "#\x7f\x80!!";  // the byte 0x80 is no count
    record.trophyBits = 0x12;
    record.itemsBought = 7;
    UserRecord saved;
    tracker_->SaveToRecord(saved);  // nothing unsaved
    tracker_->LoadFromRecord(record);
    EXPECT_EQ(tracker_->GetServedPotions(), (std::vector<int>{0, 0, 1, 2, 0}));
    EXPECT_EQ(tracker_->GetFruits(), (std::vector<int>{2, 94, 0, 0, 1}));
    EXPECT_EQ(tracker_->GetTrophyBits(), 0x12u);
    EXPECT_EQ(tracker_->GetItemsBought(), 7);
}

TEST_F(TrophyTrackerTest, SavedCountsAreClampedSoTheProgressTextReadsBack) {
    tracker_->StartLevel(1);
    for (int i = 0; i < 95; ++i) tracker_->CountPotion();
    tracker_->CountFeather();
    UserRecord record;
    record.Init();
    tracker_->SaveToRecord(record);
    EXPECT_FALSE(tracker_->IsDirty());
    EXPECT_EQ(record.servedPotions, "!{!!!");  // 95 saved as 90
    EXPECT_EQ(record.feathers, "!\"!!!");
    EXPECT_EQ(tracker_->GetServedPotions()[1], 95);  // the count in play is kept

    std::unique_ptr<UserRecord> read = UserRecord::Parse(record.Format());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->servedPotions, "!{!!!");
}

TEST_F(TrophyTrackerTest, MoreLevelsThanTheProgressTextHoldsAreCutToItsLength) {
    SetLevels(30);
    EXPECT_EQ(tracker_->GetLevelCount(), kMaxLevels);
    tracker_->StartLevel(29);  // a level the text cannot hold counts nowhere
    tracker_->CountPotion();
    tracker_->StartLevel(23);
    tracker_->CountPotion();
    UserRecord record;
    record.Init();
    tracker_->SaveToRecord(record);
    EXPECT_EQ(record.servedPotions, TString((std::string(23, '!') + "\"").c_str()));
    EXPECT_NE(UserRecord::Parse(record.Format()), nullptr);
}

TEST_F(TrophyTrackerTest, ProfileLoadIsRefusedWhileChangesAreUnsavedOrWithoutAGameManager) {
    EXPECT_FALSE(tracker_->LoadFromProfile());  // no game manager
    tracker_->StartLevel(0);
    tracker_->CountPotion();
    EXPECT_FALSE(tracker_->LoadFromProfile());
    EXPECT_EQ(tracker_->GetServedPotions()[0], 1);
    tracker_->ResetLevelCounters();  // a player's progress was loaded
    EXPECT_FALSE(tracker_->IsDirty());
    EXPECT_EQ(tracker_->GetServedPotions()[0], 0);
}

}  // namespace
