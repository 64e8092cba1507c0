#include "game/data/game_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/data/magic_game.h"
#include "tests/game/data/log_capture.h"
#include "tests/game/data/temp_config.h"

namespace {

const char kTables[] = R"(<config>
  <game>
    <playerSpeed>250.5</playerSpeed><cauldronMaxCombo>5</cauldronMaxCombo>
    <timeActivateArtifact>2</timeActivateArtifact><timePrepareArtifact>9.5</timePrepareArtifact>
    <initDelay>3</initDelay><transitionTimeStep>120</transitionTimeStep><transitionTimeEnd>240</transitionTimeEnd>
    <numberOfIngredients>10</numberOfIngredients><maxSecsElapsed>0.1</maxSecsElapsed>
    <levelOfPlant>5</levelOfPlant><levelOfPhoenix>8</levelOfPhoenix>
  </game>
  <phoenix><maxConsecutives>3</maxConsecutives><restSecs>8.5</restSecs></phoenix>
  <trophies>
    <potionMaster>20</potionMaster><potionMasterGold>60</potionMasterGold>
    <goldenPhoenixFeather>4</goldenPhoenixFeather><artifact>5</artifact><plant>2</plant>
    <potionpedia>4</potionpedia><shopMonth>2</shopMonth><shopYear>5</shopYear><upgradeFreak>7</upgradeFreak>
  </trophies>
  <levels multiple="true">
    <level id="1"><timeMinutes>2.5</timeMinutes><customersAtTime>2</customersAtTime><goal>150</goal>
      <expertGoal>250</expertGoal><potions>0, 1</potions><customersSequence>W,O,W,M</customersSequence>
      <potionsTypes>2, 3, 1</potionsTypes><artifacts></artifacts><artifactsEnabled>0</artifactsEnabled>
      <plantPetitions>0</plantPetitions><timeCreationClient>2000</timeCreationClient></level>
    <level id="2"><timeMinutes>0.99</timeMinutes><customersAtTime>4</customersAtTime><goal>300</goal>
      <expertGoal>500</expertGoal><potions>1</potions><customersSequence>a,d</customersSequence>
      <potionsTypes>0,4</potionsTypes><artifacts>1,0,2</artifacts><artifactsEnabled>3</artifactsEnabled>
      <plantPetitions>2</plantPetitions><timeCreationClient>2000,4000,9000</timeCreationClient></level>
  </levels>
  <potions multiple="true">
    <potion id="p1"><value>15</value><ingredients>A</ingredients></potion>
    <potion id="p2"><value>45</value><ingredients>A,C,C</ingredients></potion>
  </potions>
  <artifacts multiple="true"><artifact id="a1"><value>40.5</value></artifact><artifact><value>120</value></artifact></artifacts>
  <clients multiple="true">
    <client id="Alchemist"><tips>1,2,4,6,10</tips><barPointSeconds>8</barPointSeconds>
      <startingPoints>4</startingPoints><secsToThink>1.5</secsToThink></client>
  </clients>
  <charms multiple="true">
    <charm id="tip"><probability>50</probability><factor>1.5</factor><quotaRequired>1</quotaRequired></charm>
    <charm id="growth"><probability>100</probability><factor>0.5</factor><quotaRequired>2</quotaRequired></charm>
  </charms>
  <addons multiple="true">
    <addon id="0"><name>cauldron</name><costPerLevel>0,300,600</costPerLevel><paramPerLevel>8,6,4</paramPerLevel></addon>
    <addon id="2"><name>phoenix</name><costPerLevel>100,250</costPerLevel><paramPerLevel>12, 9.5</paramPerLevel></addon>
  </addons>
  <collapse_levels multiple="true">
    <collapse id="c1"><colors>4</colors><charms>tip, growth ,haste</charms><timeBreak>0.5</timeBreak>
      <maxBombs>2</maxBombs><maxWildBox>1</maxWildBox><itemBlack>1</itemBlack><initDelay>2.5</initDelay>
      <fee>10</fee></collapse>
  </collapse_levels>
</config>)";

std::string Levels(int count) {
    std::string text = "<config><levels multiple=\"true\">";
    for (int i = 0; i < count; ++i)
        text += "<level id=\"" + std::to_string(i) + "\"><goal>" + std::to_string(i) + "</goal></level>";
    return text + "</levels></config>";
}

class Tables : public ::testing::Test {
protected:
    void TearDown() override { GetGameTables() = GameTables(); }

    const GameTables& LoadFrom(const std::string& text) {
        TempConfig file(text);
        dtMagicGame game(file.Path());
        game.LoadTables();
        EXPECT_TRUE(game.AreTablesLoaded());
        return GetGameTables();
    }
};

}  // namespace

TEST_F(Tables, ScalarsComeFromTheirSections) {
    const GameTables& tables = LoadFrom(kTables);
    EXPECT_EQ(tables.levelCount, 2);
    EXPECT_EQ(tables.maxConsecutives, 3);
    EXPECT_FLOAT_EQ(tables.restSecs, 8.5f);
    EXPECT_FLOAT_EQ(tables.playerSpeed, 250.5f);
    EXPECT_EQ(tables.cauldronMaxCombo, 5);
    EXPECT_FLOAT_EQ(tables.timeActivateArtifact, 2.0f);
    EXPECT_FLOAT_EQ(tables.timePrepareArtifact, 9.5f);
    EXPECT_FLOAT_EQ(tables.initDelay, 3.0f);
    EXPECT_EQ(tables.transitionTimeStep, 120);
    EXPECT_EQ(tables.transitionTimeEnd, 240);
    EXPECT_EQ(tables.numberOfIngredients, 10);
    EXPECT_FLOAT_EQ(tables.maxSecsElapsed, 0.1f);
    EXPECT_EQ(tables.levelOfPlant, 5);
    EXPECT_EQ(tables.levelOfPhoenix, 8);
    EXPECT_EQ(tables.potionCount, 2);
    EXPECT_EQ(tables.artifactCount, 2);
    EXPECT_EQ(tables.collapseLevelCount, 1);
    EXPECT_EQ(tables.grandWitchLevels, 2);
    EXPECT_EQ(tables.magicCatBeltLevels, 2);
    EXPECT_EQ(tables.potionMaster, 20);
    EXPECT_EQ(tables.potionMasterGold, 60);
    EXPECT_EQ(tables.goldenPhoenixFeather, 4);
    EXPECT_EQ(tables.artifact, 5);
    EXPECT_EQ(tables.plant, 2);
    EXPECT_EQ(tables.potionpedia, 4);
    EXPECT_EQ(tables.shopMonth, 2);
    EXPECT_EQ(tables.shopYear, 5);
    EXPECT_EQ(tables.upgradeFreak, 7);
}

TEST_F(Tables, LevelRecordsConvertTheirLists) {
    const GameTables& tables = LoadFrom(kTables);
    const LevelRecord& first = tables.levels.At(0);
    EXPECT_EQ(first.time, 150);
    EXPECT_EQ(first.customersAtTime, 2);
    EXPECT_EQ(first.goal, 150);
    EXPECT_EQ(first.expertGoal, 250);
    EXPECT_EQ(first.potions, (std::vector<int>{0, 1}));
    EXPECT_EQ(first.customersSequence, (std::vector<char>{'W', 'O', 'W', 'M'}));
    EXPECT_EQ(first.customerLetters, (std::vector<char>{'M', 'W', 'O'}));
    EXPECT_EQ(first.potionsTypes, (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(first.plannedPotionTotal, 6);
    EXPECT_TRUE(first.artifacts.empty());
    EXPECT_EQ(first.customerIntervalMin, 1000);  // a single number keeps the default interval
    EXPECT_EQ(first.customerIntervalMax, 5000);

    const LevelRecord& second = tables.levels.At(1);
    EXPECT_EQ(second.time, 59);  // truncated
    EXPECT_EQ(second.artifacts, (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(second.artifactsEnabled, 3);
    EXPECT_EQ(second.plantPetitions, 2);
    EXPECT_EQ(second.customerIntervalMin, 2000);  // the third number is ignored
    EXPECT_EQ(second.customerIntervalMax, 4000);
}

TEST_F(Tables, RecordTablesKeepFileOrder) {
    const GameTables& tables = LoadFrom(kTables);
    ASSERT_EQ(tables.potions.size(), 2u);
    EXPECT_EQ(tables.potions[1].value, 45);
    EXPECT_EQ(tables.potions[1].ingredientCount, 3);
    EXPECT_EQ(tables.potions[1].ingredients, (std::vector<int>{0, 2, 2}));
    EXPECT_EQ(tables.artifactValues, (std::vector<float>{40.5f, 120.0f}));

    ASSERT_EQ(tables.clientTypes.size(), 1u);
    EXPECT_EQ(tables.clientTypes[0].tips, (std::vector<int>{1, 2, 4, 6, 10}));
    EXPECT_FLOAT_EQ(tables.clientTypes[0].barPointSeconds, 8.0f);
    EXPECT_EQ(tables.clientTypes[0].startingPoints, 4);
    EXPECT_FLOAT_EQ(tables.clientTypes[0].secsToThink, 1.5f);

    ASSERT_EQ(tables.charms.size(), 2u);
    EXPECT_STREQ(tables.charms[1].id.CStr(), "growth");
    EXPECT_FLOAT_EQ(tables.charms[0].probability, 50.0f);
    EXPECT_FLOAT_EQ(tables.charms[0].factor, 1.5f);
    EXPECT_EQ(tables.charms[1].quotaRequired, 2);

    ASSERT_EQ(tables.addons.size(), 2u);
    EXPECT_EQ(tables.addons[1].kind, 2);
    EXPECT_EQ(tables.addons[1].levelCount, 2);
    EXPECT_EQ(tables.addons[1].costPerLevel, (std::vector<int>{100, 250}));
    EXPECT_EQ(tables.addons[1].paramPerLevel, (std::vector<float>{12.0f, 9.5f}));

    ASSERT_EQ(tables.collapseLevels.size(), 1u);
    const CollapseLevelRecord& collapse = tables.collapseLevels[0];
    EXPECT_EQ(collapse.colors, 4);
    ASSERT_EQ(collapse.charms.size(), 3u);
    EXPECT_STREQ(collapse.charms[1].CStr(), "growth");
    EXPECT_FLOAT_EQ(collapse.timeBreak, 0.5f);
    EXPECT_EQ(collapse.maxBombs, 2);
    EXPECT_EQ(collapse.maxWildBox, 1);
    EXPECT_EQ(collapse.itemBlack, 1);
    EXPECT_FLOAT_EQ(collapse.initDelay, 2.5f);
    EXPECT_EQ(collapse.fee, 10);
}

TEST_F(Tables, AMissingFileGivesEmptyTablesAndZeroScalars) {
    EXPECT_FLOAT_EQ(GetGameTables().maxSecsElapsed, 0.05f);  // the values that hold before loading
    EXPECT_EQ(GetGameTables().transitionTimeStep, 150);
    EXPECT_EQ(GetGameTables().transitionTimeEnd, 300);

    dtMagicGame game("::no-such-config.xml");
    game.LoadTables();
    const GameTables& tables = GetGameTables();
    EXPECT_EQ(tables.levelCount, 0);
    EXPECT_EQ(tables.levels.Count(), 0);
    EXPECT_FLOAT_EQ(tables.maxSecsElapsed, 0.0f);  // loading always sets the values from the file
    EXPECT_EQ(tables.transitionTimeStep, 0);
    EXPECT_TRUE(tables.potions.empty());
    EXPECT_TRUE(tables.addons.empty());
    EXPECT_EQ(tables.upgradeFreak, 0);
}

TEST_F(Tables, LoadingAgainReplacesTheTables) {
    LoadFrom(kTables);
    const GameTables& tables = LoadFrom(Levels(3));
    EXPECT_EQ(tables.levelCount, 3);
    EXPECT_EQ(tables.levels.At(2).goal, 2);
    EXPECT_TRUE(tables.potions.empty());
}

TEST_F(Tables, LevelsBeyondTheSavedFieldsAreRefusedWithAWarning) {
    struct Case {
        int levels;
        int played;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {24, 24, {}},
        {25, 24, {"[WARN] config.xml defines 25 levels; only the first 24 are played"}},
    };
    for (const Case& c : cases) {
        LogCapture log;
        const GameTables& tables = LoadFrom(Levels(c.levels));
        EXPECT_EQ(tables.levelCount, c.played);
        EXPECT_EQ(tables.levels.Count(), c.played);
        EXPECT_EQ(tables.grandWitchLevels, c.played);
        EXPECT_EQ(tables.levels.At(c.played - 1).goal, c.played - 1);
        EXPECT_EQ(log.Messages(), c.messages);
    }
}

TEST_F(Tables, ProgressFollowsTheLoadedText) {
    LoadFrom(kTables);
    TempConfig file(kTables);
    dtMagicGame game(file.Path());
    EXPECT_EQ(game.GetUserRecord(), nullptr);

    struct Case {
        const char* text;
        bool newUser;
        int savedLevels;
    };
    const std::string bare = std::string(24, '!');
    const std::string kept = "1|1|0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0;1^90^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0|0|0|0|0|" +
                             bare + "|" + bare + "|" + bare + "|" + bare;
    const std::string wrongVersion = "2" + kept.substr(1);
    const Case cases[] = {
        {"", true, 1},
        {kept.c_str(), false, 2},
        {wrongVersion.c_str(), true, 1},
    };
    for (const Case& c : cases) {
        LogCapture log;
        game.LoadUserRecord(c.text);
        ASSERT_NE(game.GetUserRecord(), nullptr);
        EXPECT_EQ(game.IsNewUser(), c.newUser) << c.text;
        EXPECT_EQ(static_cast<int>(game.GetUserRecord()->savedLevels.size()), c.savedLevels) << c.text;
        if (c.newUser) {
            EXPECT_EQ(game.GetUserRecord()->selectedLevel, 0);
            EXPECT_EQ(log.Messages().size(), 1u);
        }
    }
    EXPECT_EQ(game.GetUserRecord()->savedLevels.size(), 1u);

    game.LoadUserRecord(kept.c_str());
    EXPECT_EQ(game.GetUserRecord()->savedLevels[1].startMoney, 90);
    game.ResetUserRecord();
    EXPECT_TRUE(game.IsNewUser());
    EXPECT_STREQ(
        game.GetUserRecord()->Format().CStr(),
        ("1|0|0^0^0^0^0^1^1^0^1,0,0^-1,-1,-1^0^0|0|0|0|0|" + bare + "|" + bare + "|" + bare + "|" + bare).c_str());
}
