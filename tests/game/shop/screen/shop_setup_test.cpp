#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "game/data/game_manager.h"
#include "game/shop/screen/shop_game.h"
#include "tests/game/data/log_capture.h"
#include "tests/game/shop/recording_assets.h"
#include "tests/game/shop/screen/shop_screen_fixture.h"

namespace {

// 24 levels of one kind; the recipes use A, B and F (boxes 0, 1 and 5), the phoenix's K (no box) and
// an L outside the boxes.
std::string Config(int levelOfPlant, int levelOfPhoenix, int levels = 24) {
    std::string config = "<config><game><maxSecsElapsed>0.05</maxSecsElapsed><initDelay>0.5</initDelay>"
                         "<numberOfIngredients>10</numberOfIngredients><levelOfPlant>" +
                         std::to_string(levelOfPlant) + "</levelOfPlant><levelOfPhoenix>" +
                         std::to_string(levelOfPhoenix) + "</levelOfPhoenix></game><levels multiple=\"true\">";
    for (int level = 0; level < levels; ++level)
        config += "<level id=\"" + std::to_string(level) +
                  "\"><timeMinutes>0.5</timeMinutes><customersAtTime>1</customersAtTime><goal>20</goal>"
                  "<expertGoal>40</expertGoal><potions>0,1,2</potions><customersSequence>M</customersSequence>"
                  "<potionsTypes>0,1</potionsTypes><timeCreationClient>1000,1000</timeCreationClient></level>";
    config += "</levels><potions multiple=\"true\">"
              "<potion id=\"p0\"><ingredients>A,B</ingredients></potion>"
              "<potion id=\"p1\"><ingredients>B,K,F</ingredients></potion>"
              "<potion id=\"p2\"><ingredients>A,L</ingredients></potion>"
              "</potions><addons multiple=\"true\"><addon id=\"0\"><costPerLevel>0</costPerLevel>"
              "<paramPerLevel>8</paramPerLevel></addon></addons></config>";
    return config;
}

struct SetUpCase {
    const char* name;
    int level;
    int levelOfPlant;
    int levelOfPhoenix;
    const char* plant;
    const char* phoenix;
    const char* table;
    const char* music;
};

void PrintTo(const SetUpCase& c, std::ostream* os) { *os << c.name; }

const char kMusic[] = "audio/music/magicshopmusic.ogg";
const char kMusic2[] = "audio/music/magicshopmusic2.ogg";

const SetUpCase kSetUpCases[] = {
    {"FirstLevelWithoutPlantOrPhoenix", 0, 99, 99, "none", "none", "1:210.9,408.9", kMusic},
    {"PlantFromItsOwnLevel", 2, 3, 4, "740.9,420.6", "none", "1:210.9,408.9", kMusic},
    {"PhoenixFromItsOwnLevelPlantNotYet", 3, 5, 4, "none", "133.5,230.1", "2:227.9,408.9", kMusic2},
    {"PlantAfterItsLevelPhoenixNotYet", 6, 6, 8, "740.9,420.6", "none", "3:227.9,397.4", kMusic},
    {"LastLevelWithBoth", 23, 1, 1, "740.9,420.6", "133.5,230.1", "8:227.9,397.4", kMusic},
};

class ShopSetUpTest : public ShopScreenTest, public ::testing::WithParamInterface<SetUpCase> {};

TEST_P(ShopSetUpTest, TheLevelsObjectsStandWhereTheShopPutsThem) {
    const SetUpCase& c = GetParam();
    StartGame(Config(c.levelOfPlant, c.levelOfPhoenix));
    AddMusic(kMusic);
    AddMusic(kMusic2);
    Open(c.level);
    EXPECT_EQ(Field("heroine"), "300,300");
    EXPECT_EQ(Field("boxes"), "0:578,200;1:578,162;5:485,200");
    EXPECT_EQ(Field("cauldrons"), "462,496");
    EXPECT_EQ(Field("harp"), "none");
    EXPECT_EQ(Field("plant"), c.plant);
    EXPECT_EQ(Field("phoenix"), c.phoenix);
    EXPECT_EQ(Field("table"), c.table);
    EXPECT_EQ(Field("music"), c.music);
    EXPECT_EQ(Field("state"), "1");
    EXPECT_EQ(Field("stored"), "-;-;-");
}

INSTANTIATE_TEST_SUITE_P(Levels, ShopSetUpTest, ::testing::ValuesIn(kSetUpCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShopScreenTest, UpgradesBoughtShowTheirObjects) {
    StartGame(Config(99, 99));
    SavedLevelRecord& saved = GameManager::Get()->GetCurrentSavedLevel();
    saved.cauldronLevels = {1, 0, 2};
    saved.harpLevel = 2;
    Open(0);
    EXPECT_EQ(Field("cauldrons"), "462,496;682,496");
    EXPECT_EQ(Field("harp"), "367,458");
}

// Stored potions go back on their open spots when their id names a potion (or the fruit); anything
// else leaves the spot empty.
// The stored spots as "-" (empty) or "p" (a potion; without pictures its id does not show).
std::string Placed(const std::string& stored) {
    std::string placed;
    size_t start = 0;
    while (start <= stored.size()) {
        size_t end = std::min(stored.find(';', start), stored.size());
        if (!placed.empty()) placed += ';';
        placed += stored.substr(start, end - start) == "-" ? "-" : "p";
        start = end + 1;
    }
    return placed;
}

TEST_F(ShopScreenTest, OnlyRealPotionsGoBackOnOpenSpots) {
    struct StoredCase {
        int drawer;
        std::array<int, 3> stored;
        const char* shown;
    };
    const StoredCase cases[] = {
        {3, {-1, -1000, 1}, "-;p;p"},
        {3, {99, -7, 2}, "-;-;p"},      // no potion 99, no id -7
        {1, {0, 1, 2}, "p;-;-"},        // two spots still covered
        {2, {3, 0, -1000}, "-;p;-"},    // no potion 3; the third spot covered
    };
    for (const StoredCase& c : cases) {
        StartGame(Config(99, 99));
        SavedLevelRecord& saved = GameManager::Get()->GetCurrentSavedLevel();
        saved.drawerLevel = c.drawer;
        saved.storedPotions = c.stored;
        Open(0);
        EXPECT_EQ(Placed(Field("stored")), c.shown) << "drawer " << c.drawer;
        Close();
    }
}

TEST_F(ShopScreenTest, AMissingTunePlaysNothingAndSaysSoOnce) {
    StartGame(Config(99, 99));
    LogCapture log;
    Open(0);
    Run(5);
    Close();
    int warnings = 0;
    for (const std::string& line : log.Messages()) warnings += line.rfind("[WARN] The shop plays without music", 0) == 0;
    EXPECT_EQ(warnings, 1);
}

TEST_F(ShopScreenTest, ALevelTheGameDoesNotHaveIsRefused) {
    StartGame(Config(99, 99, 2));
    LogCapture log;
    Open(2);
    EXPECT_EQ(shop->GetState(), clsShopGame::kConstructed);
    EXPECT_EQ(Field("heroine"), "");
    Run(3);
    EXPECT_EQ(shop->GetState(), clsShopGame::kConstructed);
    bool refused = false;
    for (const std::string& line : log.Messages()) refused |= line.rfind("[ERROR] There is no level 2", 0) == 0;
    EXPECT_TRUE(refused);
}

TEST(ShopLayoutTest, ItemOffsetsCoverNineSlotsOnly) {
    EXPECT_EQ(clsShopGame::GetItemOffset(0), TVec2(-36, -100));
    EXPECT_EQ(clsShopGame::GetItemOffset(4), TVec2(36, -52));
    EXPECT_EQ(clsShopGame::GetItemOffset(8), TVec2(92, 0));
    EXPECT_EQ(clsShopGame::GetItemOffset(9), TVec2());
    EXPECT_EQ(clsShopGame::GetItemOffset(-1), TVec2());
}

// The level's list as the loading screen receives it; it loads the list from its end.
TEST(ShopPreloadTest, TheListNamesTheLevelsAssetsInOrder) {
    RecordingAssets assets;
    clsShopGame::PreloadAssets(assets);
    // Where a name was added last (pieces share some names); the list's size when it is missing.
    auto at = [&](const std::string& name) {
        auto found = std::find(assets.preload.rbegin(), assets.preload.rend(), name);
        return found == assets.preload.rend() ? static_cast<long>(assets.preload.size())
                                              : static_cast<long>(assets.preload.rend() - found - 1);
    };
    EXPECT_EQ(assets.preload.back(), "gui/open_closed_changes");
    const std::vector<std::string> inOrder = {
        "anim/mage/mage_appear", "anim/shadow/shadow_appear", "anim/2head/2head_appear", "anim/druid/druid_appear",
        "anim/witch/witch_appear", "anim/vampire/vampire_appear", "anim/medusa/medusa_appear",
        "anim/tessa/tessa_stand", "gui/gui_score_goal_time", "anim/cauldron/cauldron_01_stand",
        "anim/bucket/bucket_stand", "anim/fenix/fenix_stand", "anim/radaduvoz/tentacle_action_item",
        "anim/potions/potion1", "anim/ingredients/ingredient_box_a", "anim/artifacts/artifact_1", "anim/drawer_01",
        "gui/magicbook/anim_gui_paper", "anim/numbers",
        "anim/palo_fenix", "anim/anim_check", "effects/stars_stand", "items/item_money", "effects/money_stand",
        "items/charms/charm1", "items/charms/charm4", "items/charms/charm5",
        "audio/sfx/mainchar-pick?group=1000", "audio/sfx/mainchar-pickpot?group=1000",
        "audio/sfx/mainchar-pickmoney?group=1000", "audio/sfx/mainchar-drop?group=1000",
        "audio/sfx/fire_ignite?group=1000", "audio/sfx/boots_upgrade?group=1000", "audio/sfx/pot_upgrade?group=1000",
        "audio/sfx/staff_upgrade?group=1000", "audio/sfx/clients_complain?group=1000",
        "audio/sfx/messages-refuse?group=1000",
        "anim/harp/harp_stand01", "anim/plant/plant",
        "effects/fx_fire", "effects/fx_ingredient", "anim/goal_reached", "anim/expert_goal_reached",
        "gui/open_closed_appears", "gui/open_closed_changes",
    };
    for (size_t i = 1; i < inOrder.size(); ++i) {
        ASSERT_LT(at(inOrder[i]), static_cast<long>(assets.preload.size())) << inOrder[i] << " is not in the list";
        EXPECT_LT(at(inOrder[i - 1]), at(inOrder[i])) << inOrder[i - 1] << " before " << inOrder[i];
    }
}

}  // namespace
