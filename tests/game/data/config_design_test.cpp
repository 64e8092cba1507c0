// The shipped assets/config.xml: every key set, and the rules that make its levels playable and
// its trophies reachable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/core/files/file.h"
#include "engine/core/files/xml.h"
#include "game/data/game_tables.h"
#include "game/data/magic_game.h"
#include "game/data/saved_progress.h"
#include "game/data/value_lists.h"

namespace {

constexpr int kPhoenixIngredient = 10;
constexpr int kShelfArtifacts = 9;
constexpr int kCounterPlaces = 4;
constexpr int kUpgradeLevels = 3;
const std::string kKinds = "admosvw";
const std::map<char, std::string> kKindIds = {{'a', "Alchemist"}, {'d', "Druid"},   {'m', "Medusa"}, {'o', "Ogre"},
                                              {'s', "Shadow"},    {'v', "Vampire"}, {'w', "Witch"}};

class ShippedConfig : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetStartupFolder(ALEMBRIA_SOURCE_DIR);
        SetAssetFolder(ALEMBRIA_SOURCE_DIR "/assets");
        InitFileSystem();
        game_ = new dtMagicGame();  // the name the game opens, found in the asset folder
        game_->LoadTables();
    }
    static void TearDownTestSuite() {
        delete game_;
        game_ = nullptr;
        GetGameTables() = GameTables();
        ShutdownFileSystem();
    }

    const GameTables& tables = GetGameTables();
    static dtMagicGame* game_;
};

dtMagicGame* ShippedConfig::game_ = nullptr;

bool HasIngredient(const PotionRecord& potion, int ingredient) {
    return std::count(potion.ingredients.begin(), potion.ingredients.end(), ingredient) > 0;
}

// The roster's plan: the level's potions walked cyclically, each taken while its ingredient count
// still has planned potions left; stops after a pass that takes nothing.
std::vector<int> PlannedPotions(const LevelRecord& level, const GameTables& tables) {
    std::vector<int> remaining = level.potionsTypes;
    std::vector<int> planned;
    bool tookAny = true;
    while (tookAny && static_cast<int>(planned.size()) < level.plannedPotionTotal) {
        tookAny = false;
        for (int id : level.potions) {
            size_t slot = static_cast<size_t>(tables.potions[static_cast<size_t>(id)].ingredientCount - 1);
            if (slot >= remaining.size() || remaining[slot] == 0) continue;
            --remaining[slot];
            planned.push_back(id);
            tookAny = true;
            if (static_cast<int>(planned.size()) == level.plannedPotionTotal) break;
        }
    }
    return planned;
}

int Sum(const std::vector<int>& values) {
    int sum = 0;
    for (int value : values) sum += value;
    return sum;
}

}  // namespace

TEST_F(ShippedConfig, SetsEveryKey) {
    const std::map<std::string, std::vector<std::string>> singleKeys = {
        {"game",
         {"playerSpeed", "cauldronMaxCombo", "timeActivateArtifact", "timePrepareArtifact", "initDelay",
          "transitionTimeStep", "transitionTimeEnd", "numberOfIngredients", "maxSecsElapsed", "levelOfPlant",
          "levelOfPhoenix"}},
        {"phoenix", {"maxConsecutives", "restSecs"}},
        {"trophies",
         {"potionMaster", "potionMasterGold", "goldenPhoenixFeather", "artifact", "plant", "potionpedia", "shopMonth",
          "shopYear", "upgradeFreak"}},
    };
    const std::map<std::string, std::vector<std::string>> recordKeys = {
        {"levels",
         {"timeMinutes", "customersAtTime", "goal", "expertGoal", "potions", "customersSequence", "potionsTypes",
          "artifacts", "artifactsEnabled", "plantPetitions", "timeCreationClient"}},
        {"potions", {"value", "ingredients"}},
        {"artifacts", {"value"}},
        {"clients", {"tips", "barPointSeconds", "startingPoints", "secsToThink"}},
        {"charms", {"probability", "factor", "quotaRequired"}},
        {"addons", {"name", "costPerLevel", "paramPerLevel"}},
        {"collapse_levels",
         {"colors", "charms", "timeBreak", "maxBombs", "maxWildBox", "itemBlack", "initDelay", "fee"}},
    };
    TXmlNode document;
    ASSERT_TRUE(document.Load("config.xml"));
    const TXmlNode* config = document.FindChild("config");
    ASSERT_NE(config, nullptr);
    for (const auto& [section, keys] : singleKeys) {
        const TXmlNode* node = config->FindChild(section.c_str());
        ASSERT_NE(node, nullptr) << section;
        for (const std::string& key : keys) EXPECT_NE(node->FindChild(key.c_str()), nullptr) << section << " " << key;
    }
    for (const auto& [section, keys] : recordKeys) {
        const TXmlNode* node = config->FindChild(section.c_str());
        ASSERT_NE(node, nullptr) << section;
        EXPECT_STREQ(node->GetAttribute("multiple").CStr(), "true") << section;
        ASSERT_TRUE(node->HasChildren()) << section;
        for (size_t i = 0; i < node->ChildCount(); ++i)
            for (const std::string& key : keys)
                EXPECT_NE(node->ChildAt(i)->FindChild(key.c_str()), nullptr) << section << " " << i << " " << key;
    }
}

TEST_F(ShippedConfig, GameValuesKeepTheShopRunning) {
    EXPECT_GT(tables.playerSpeed, 0.0f);
    EXPECT_GT(tables.maxSecsElapsed, 0.0f);  // zero would freeze the shop
    EXPECT_LE(tables.maxSecsElapsed, 0.1f);
    EXPECT_GE(tables.cauldronMaxCombo, 1);
    EXPECT_LT(tables.cauldronMaxCombo, 10);  // from ten on the boil would never end
    EXPECT_GT(tables.timeActivateArtifact, 0.0f);
    EXPECT_GT(tables.timePrepareArtifact, 0.0f);
    EXPECT_GE(tables.initDelay, 0.0f);
    EXPECT_GT(tables.transitionTimeStep, 0);
    EXPECT_GT(tables.transitionTimeEnd, tables.transitionTimeStep);
    EXPECT_EQ(tables.numberOfIngredients, kPhoenixIngredient);
    EXPECT_GT(tables.maxConsecutives, 0);
    EXPECT_GT(tables.restSecs, 0.0f);
}

TEST_F(ShippedConfig, LevelsRiseInGoalsAndFitTheShop) {
    ASSERT_GE(tables.levelCount, 9);
    ASSERT_LE(tables.levelCount, kMaxLevels);
    EXPECT_EQ(game_->GetRecordCount("levels"), tables.levelCount);
    for (int i = 0; i < tables.levelCount; ++i) {
        const LevelRecord& level = tables.levels.At(i);
        EXPECT_GT(level.time, 0) << i;
        EXPECT_GE(level.customersAtTime, 1) << i;
        EXPECT_LE(level.customersAtTime, kCounterPlaces) << i;
        EXPECT_LT(level.goal, level.expertGoal) << i;
        if (i > 0) {
            EXPECT_GT(level.goal, tables.levels.At(i - 1).goal) << i;
            EXPECT_GT(level.expertGoal, tables.levels.At(i - 1).expertGoal) << i;
            EXPECT_GE(level.time, tables.levels.At(i - 1).time) << i;
        }
        std::vector<int> interval;
        ParseIntList(interval, game_->GetRecordString("levels", i, "timeCreationClient"));
        ASSERT_EQ(interval.size(), 2u) << i;
        EXPECT_GT(interval[0], 0) << i;
        EXPECT_LE(interval[0], interval[1]) << i;
    }
}

TEST_F(ShippedConfig, EveryPotionPlanCanBeFilled) {
    for (int i = 0; i < tables.levelCount; ++i) {
        const LevelRecord& level = tables.levels.At(i);
        ASSERT_FALSE(level.potions.empty()) << i;
        EXPECT_GT(level.plannedPotionTotal, 0) << i;
        for (int id : level.potions) {
            ASSERT_GE(id, 0) << i;
            ASSERT_LT(id, tables.potionCount) << i;
            // A listed potion whose ingredient count is not planned would make the roster log an error.
            size_t slot = static_cast<size_t>(tables.potions[static_cast<size_t>(id)].ingredientCount - 1);
            ASSERT_LT(slot, level.potionsTypes.size()) << "level " << i << " potion " << id;
            EXPECT_GT(level.potionsTypes[slot], 0) << "level " << i << " potion " << id;
        }
        EXPECT_EQ(static_cast<int>(PlannedPotions(level, tables).size()), level.plannedPotionTotal) << i;
    }
}

TEST_F(ShippedConfig, CustomerKindsAreIntroducedOneOrTwoAtATime) {
    std::set<char> met;  // kinds met in earlier levels; upper case for the variant rows
    for (int i = 0; i < tables.levelCount; ++i) {
        const LevelRecord& level = tables.levels.At(i);
        std::set<char> newcomers;
        for (char letter : level.customerLetters) {
            char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
            ASSERT_NE(kKinds.find(kind), std::string::npos) << "level " << i << " letter " << letter;
            if (letter != kind) {
                EXPECT_TRUE(met.count(kind)) << "variant before its kind: level " << i << " " << letter;
            }
            if (!met.count(letter)) newcomers.insert(letter);
        }
        EXPECT_LE(newcomers.size(), 2u) << i;
        met.insert(newcomers.begin(), newcomers.end());

        // Enough customers for a quick player: one every ten seconds plus the arrival gap per place.
        double gap = (level.customerIntervalMin + level.customerIntervalMax) / 2000.0;
        double needed = level.customersAtTime * level.time / (10.0 + gap);
        EXPECT_GE(static_cast<double>(level.customersSequence.size()), needed) << i;
    }
    for (char kind : kKinds) EXPECT_TRUE(met.count(kind)) << kind;
}

TEST_F(ShippedConfig, CustomerRowsHaveFiveRisingTips) {
    EXPECT_EQ(tables.clientTypes.size(), 2 * kKindIds.size());
    EXPECT_STREQ(game_->GetRecordId("clients", 0).CStr(), "Alchemist");  // unknown kinds fall back to row 0
    for (const auto& [letter, id] : kKindIds) {
        for (const std::string& row : {id, id + "2"}) {
            ASSERT_TRUE(game_->HasRecordId("clients", row.c_str())) << row;
            const ClientTypeRecord& client =
                tables.clientTypes[static_cast<size_t>(game_->GetRowIndex("clients", row.c_str()))];
            ASSERT_EQ(client.tips.size(), 5u) << row;
            EXPECT_TRUE(std::is_sorted(client.tips.begin(), client.tips.end())) << row;
            EXPECT_GE(client.startingPoints, 1) << row;
            EXPECT_LE(client.startingPoints, 5) << row;
            EXPECT_GT(client.barPointSeconds, 0.0f) << row;
            EXPECT_GT(client.secsToThink, 0.0f) << row;
        }
    }
}

TEST_F(ShippedConfig, PotionsUseOneToFourIngredientsAndOneNeedsThePhoenix) {
    ASSERT_EQ(tables.potionCount, 10);
    std::set<int> counts;
    int phoenixPotions = 0;
    for (const PotionRecord& potion : tables.potions) {
        EXPECT_GE(potion.ingredientCount, 1);
        EXPECT_LE(potion.ingredientCount, 4);
        counts.insert(potion.ingredientCount);
        for (int ingredient : potion.ingredients) {
            EXPECT_GE(ingredient, 0);
            EXPECT_LE(ingredient, tables.numberOfIngredients);
        }
        if (HasIngredient(potion, kPhoenixIngredient)) ++phoenixPotions;
    }
    EXPECT_EQ(counts, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(phoenixPotions, 1);
    EXPECT_TRUE(HasIngredient(tables.potions[8], kPhoenixIngredient));  // the phoenix tutorial's recipe
}

TEST_F(ShippedConfig, ArtifactsComeFromTheSecondLevelOn) {
    EXPECT_EQ(tables.artifactCount, kShelfArtifacts);
    for (float value : tables.artifactValues) EXPECT_GE(value, 1.0f);
    for (int i = 0; i < tables.levelCount; ++i) {
        const LevelRecord& level = tables.levels.At(i);
        EXPECT_LE(level.artifactsEnabled, kShelfArtifacts) << i;
        EXPECT_LE(level.artifacts.size(), static_cast<size_t>(kShelfArtifacts)) << i;
        // Requests only for artifacts the shelf holds.
        for (size_t a = 0; a < level.artifacts.size(); ++a)
            if (level.artifacts[a] > 0) {
                EXPECT_LT(static_cast<int>(a), level.artifactsEnabled) << i;
            }
        if (i == 0) {
            EXPECT_EQ(level.artifactsEnabled, 0);
            EXPECT_EQ(Sum(level.artifacts), 0);
        } else {
            EXPECT_GE(level.artifactsEnabled, 1) << i;
            EXPECT_GT(Sum(level.artifacts), 0) << i;
            EXPECT_GE(level.artifactsEnabled, tables.levels.At(i - 1).artifactsEnabled) << i;
        }
    }
}

TEST_F(ShippedConfig, PlantAndPhoenixArriveAtTheirLevels) {
    int plantIndex = tables.levelOfPlant - 1;
    int phoenixIndex = tables.levelOfPhoenix - 1;
    ASSERT_GE(plantIndex, 1);
    ASSERT_LT(plantIndex, tables.levelCount);
    ASSERT_GE(phoenixIndex, 1);
    ASSERT_LT(phoenixIndex, tables.levelCount);
    for (int i = 0; i < tables.levelCount; ++i) {
        const LevelRecord& level = tables.levels.At(i);
        if (i < plantIndex)
            EXPECT_EQ(level.plantPetitions, 0) << i;
        else
            EXPECT_GT(level.plantPetitions, 0) << i;
        bool phoenixPotion = false;
        for (int id : level.potions)
            phoenixPotion |= HasIngredient(tables.potions[static_cast<size_t>(id)], kPhoenixIngredient);
        if (i < phoenixIndex) {
            EXPECT_FALSE(phoenixPotion) << "a phoenix potion before the phoenix: level " << i;
        }
        if (i == phoenixIndex) {
            EXPECT_TRUE(phoenixPotion) << "the phoenix's first level has no use for it";
        }
        // Ingredients other than the phoenix's come from the ten boxes.
        for (int id : level.potions)
            for (int ingredient : tables.potions[static_cast<size_t>(id)].ingredients)
                if (ingredient != kPhoenixIngredient) {
                    EXPECT_LT(ingredient, kPhoenixIngredient);
                }
    }
}

TEST_F(ShippedConfig, EveryCollapseTheLevelsReachExistsAndCanBeWon) {
    // Winning level 2, 5, 8, ... leads to the collapse game before level 3, 6, 9, ...
    EXPECT_EQ(tables.collapseLevelCount, (tables.levelCount - 1) / 3);
    EXPECT_EQ(tables.collapseLevelCount, 3);
    for (int i = 0; i < tables.collapseLevelCount; ++i) {
        const CollapseLevelRecord& collapse = tables.collapseLevels[static_cast<size_t>(i)];
        ASSERT_FALSE(collapse.charms.empty()) << i;
        EXPECT_LE(collapse.charms.size(), 4u) << i;
        EXPECT_GE(collapse.colors, std::max<int>(2, static_cast<int>(collapse.charms.size()))) << i;
        EXPECT_LE(collapse.colors, 4) << i;
        EXPECT_GT(collapse.timeBreak, 0.0f) << i;
        EXPECT_GT(collapse.fee, 0) << i;
        std::set<int> quotas;
        for (const TString& id : collapse.charms) {
            ASSERT_TRUE(game_->HasRecordId("charms", id)) << i << " " << id.CStr();
            quotas.insert(tables.charms[static_cast<size_t>(game_->GetRowIndex("charms", id))].quotaRequired *
                          collapse.fee);
        }
        EXPECT_EQ(quotas.size(), collapse.charms.size()) << "bottle quotas must differ: " << i;
        if (i > 0) {
            EXPECT_GT(collapse.timeBreak, tables.collapseLevels[static_cast<size_t>(i - 1)].timeBreak);
        }
    }
}

TEST_F(ShippedConfig, CharmsAreTipGrowthAndHaste) {
    ASSERT_EQ(tables.charms.size(), 3u);  // charm bits of at most 8
    std::set<int> quotas;
    for (const CharmRecord& charm : tables.charms) {
        EXPECT_GT(charm.quotaRequired, 0);
        quotas.insert(charm.quotaRequired);
    }
    EXPECT_EQ(quotas.size(), 3u);
    EXPECT_GT(tables.charms[0].probability, 0.0f);
    EXPECT_LE(tables.charms[0].probability, 100.0f);
    EXPECT_GT(tables.charms[0].factor, 1.0f);  // a bigger tip
    EXPECT_GT(tables.charms[1].factor, 0.0f);  // plant stages take time x factor
    EXPECT_LT(tables.charms[1].factor, 1.0f);
    EXPECT_GT(tables.charms[2].factor, 0.0f);  // preparation takes time x (1 - factor)
    EXPECT_LT(tables.charms[2].factor, 1.0f);
}

TEST_F(ShippedConfig, AddonsComeInKindOrderWithThreeLevels) {
    ASSERT_EQ(tables.addons.size(), 5u);
    for (size_t kind = 0; kind < tables.addons.size(); ++kind) {
        const AddonRecord& addon = tables.addons[kind];
        EXPECT_EQ(addon.kind, static_cast<int>(kind));
        EXPECT_EQ(addon.levelCount, kUpgradeLevels) << kind;
        EXPECT_EQ(addon.paramPerLevel.size(), addon.costPerLevel.size()) << kind;
        EXPECT_TRUE(std::is_sorted(addon.costPerLevel.begin(), addon.costPerLevel.end())) << kind;
        for (int cost : addon.costPerLevel) EXPECT_GT(cost, 0) << kind;
    }
    const std::vector<float>& boil = tables.addons[0].paramPerLevel;  // seconds: better cauldrons boil faster
    EXPECT_TRUE(std::is_sorted(boil.rbegin(), boil.rend()));
    EXPECT_GT(boil.back(), 0.0f);
    const std::vector<float>& speed = tables.addons[1].paramPerLevel;
    EXPECT_TRUE(std::is_sorted(speed.begin(), speed.end()));
    EXPECT_GE(speed.front(), 1.0f);
    const std::vector<float>& rest = tables.addons[2].paramPerLevel;
    EXPECT_TRUE(std::is_sorted(rest.rbegin(), rest.rend()));
    const std::vector<float>& patience = tables.addons[3].paramPerLevel;
    EXPECT_TRUE(std::is_sorted(patience.begin(), patience.end()));
    EXPECT_GT(patience.front(), 0.0f);
}

TEST_F(ShippedConfig, TrophiesAreWithinAGoodPlayersReach) {
    int potions = 0, phoenixPotions = 0, artifacts = 0, fruits = 0;
    std::set<int> potionsSeen;
    int allPotionsLevel = -1;  // the first level by which every potion has been asked for
    for (int i = 0; i < tables.levelCount; ++i) {
        const LevelRecord& level = tables.levels.At(i);
        for (int id : PlannedPotions(level, tables)) {
            ++potions;
            if (HasIngredient(tables.potions[static_cast<size_t>(id)], kPhoenixIngredient)) ++phoenixPotions;
        }
        artifacts += Sum(level.artifacts);
        fruits += level.plantPetitions;
        potionsSeen.insert(level.potions.begin(), level.potions.end());
        if (allPotionsLevel < 0 && static_cast<int>(potionsSeen.size()) == tables.potionCount) allPotionsLevel = i;
    }
    EXPECT_GT(tables.potionMaster, 0);
    EXPECT_LT(tables.potionMaster, tables.potionMasterGold);
    EXPECT_LE(tables.potionMasterGold, potions);
    EXPECT_GT(tables.goldenPhoenixFeather, 0);
    EXPECT_LE(tables.goldenPhoenixFeather, phoenixPotions);
    EXPECT_GT(tables.artifact, 0);
    EXPECT_LE(tables.artifact, artifacts);
    EXPECT_GT(tables.plant, 0);
    EXPECT_LE(tables.plant, fruits);
    EXPECT_EQ(tables.potionpedia - 1, allPotionsLevel);
    EXPECT_GT(tables.shopMonth, 1);
    EXPECT_LT(tables.shopMonth, tables.shopYear);
    EXPECT_LE(tables.shopYear, tables.levelCount);

    // Every upgrade level above a fresh player's can be bought once.
    SavedLevelRecord fresh;
    int purchases = 0;
    for (int level : fresh.cauldronLevels) purchases += kUpgradeLevels - level;
    for (int level : {fresh.shoesLevel, fresh.phoenixLevel, fresh.harpLevel, fresh.drawerLevel})
        purchases += kUpgradeLevels - level;
    EXPECT_GT(tables.upgradeFreak, 0);
    EXPECT_LE(tables.upgradeFreak, purchases);
}
