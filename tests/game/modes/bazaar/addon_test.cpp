#include <string>

#include "tests/game/modes/bazaar/bazaar_fixture.h"
#include "tests/game/shop/recording_assets.h"

namespace {

struct AddonCase {
    int kind;
    int requested;
    int level;
    int cost;
    const char* name;  // without a string table the label itself
    const char* normal;
    const char* over;
};

// Costs of BazaarConfig: cauldron 10,20,30, shoes 5,15,25, phoenix 40,50,60, harp 7,8,9, drawer 3,4,6.
const AddonCase kAddonCases[] = {
    {clsAddon::kCauldron, 2, 2, 20, "addonName1_2", "anim/bazaar/cauldron_02_normal", "anim/bazaar/cauldron_02_over"},
    {clsAddon::kCauldron, 7, 3, 30, "addonName1_3", "anim/bazaar/cauldron_03_normal", "anim/bazaar/cauldron_03_over"},
    {clsAddon::kCauldron, 0, 0, 10, "addonName1_1", "anim/bazaar/cauldron_01_normal", "anim/bazaar/cauldron_01_over"},
    {clsAddon::kShoes, 3, 3, 25, "addonName2_3", "anim/bazaar/tessa_shoe_normal", "anim/bazaar/tessa_shoe_over"},
    {clsAddon::kPhoenix, 1, 1, 40, "addonName3_1", "anim/bazaar/fenix_normal", "anim/bazaar/fenix_over"},
    {clsAddon::kHarp, 2, 2, 8, "addonName4_2", "anim/bazaar/harp02_normal", "anim/bazaar/harp02_over"},
    {clsAddon::kDrawer, -1, 0, 3, "addonName5_1", "anim/bazaar/drawer_normal", "anim/bazaar/drawer_over"},
};

}  // namespace

TEST_F(BazaarTest, AnAddonOffersItsLevelAtItsCostWithItsTextsAndPictures) {
    StartGame(BazaarConfig(4));
    for (const AddonCase& c : kAddonCases) {
        SCOPED_TRACE(std::string(c.name) + " asked " + std::to_string(c.requested));
        clsAddon addon(nullptr, c.kind, c.requested);
        EXPECT_EQ(addon.GetLevel(), c.level);
        EXPECT_EQ(addon.GetCost(), c.cost);
        EXPECT_EQ(std::string(addon.GetName().CStr()), c.name);
        EXPECT_EQ(std::string(addon.GetDescription().CStr()), "addonDescription" + std::string(c.name + 9));
        EXPECT_EQ(addon.GetState(), clsAddon::kNormal);
        EXPECT_EQ(std::string(clsAddon::PictureName(c.kind, c.level, clsAddon::kNormal).CStr()), c.normal);
        EXPECT_EQ(std::string(clsAddon::PictureName(c.kind, c.level, clsAddon::kOver).CStr()), c.over);
    }
    EXPECT_EQ(std::string(clsAddon::PictureName(clsAddon::kDrawer, 1, clsAddon::kDisabled).CStr()),
              "anim/bazaar/drawer_disabled");
    EXPECT_TRUE(clsAddon::PictureName(5, 1, clsAddon::kNormal).IsEmpty());
    EXPECT_TRUE(clsAddon::PictureName(clsAddon::kShoes, 1, clsAddon::kNoState).IsEmpty());
}

TEST_F(BazaarTest, AnUpgradePastTheLastLevelChangesNothing) {
    StartGame(BazaarConfig(4));
    clsAddon addon(nullptr, clsAddon::kHarp, 2);
    addon.SetState(clsAddon::kSelected, false);
    ASSERT_TRUE(addon.Upgrade(1));
    EXPECT_EQ(addon.GetLevel(), 3);
    EXPECT_EQ(addon.GetCost(), 9);
    EXPECT_EQ(addon.GetState(), clsAddon::kNormal);
    EXPECT_FALSE(addon.Upgrade(1));
    EXPECT_EQ(addon.GetLevel(), 3);
    EXPECT_EQ(addon.GetCost(), 9);
    EXPECT_EQ(std::string(addon.GetName().CStr()), "addonName4_3");
}

// A kind without costs in the game data is offered for nothing, and the log says so.
TEST_F(BazaarTest, AnAddonWithoutCostsCostsNothingWithAWarning) {
    StartGame(BazaarConfig(4, ""));
    clsAddon addon(nullptr, clsAddon::kDrawer, 1);
    EXPECT_EQ(addon.GetLevel(), 0);
    EXPECT_EQ(addon.GetCost(), 0);
    EXPECT_FALSE(addon.Upgrade(1));
    EXPECT_NE(LogText().find("[WARN] The bazaar's add-on 4 has no costs"), std::string::npos);
}

TEST(AddonPreloadTest, TheListNamesEveryAddonPictureOnce) {
    RecordingAssets assets;
    PreloadAddonAnims(assets);
    ASSERT_EQ(assets.preload.size(), 29u);
    EXPECT_EQ(assets.preload.front(), "anim/bazaar/tessa_shoe_normal");
    EXPECT_EQ(assets.preload[3], "anim/bazaar/cauldron_01_normal");
    EXPECT_EQ(assets.preload[14], "anim/bazaar/fenix_disabled");
    EXPECT_EQ(assets.preload[24], "anim/bazaar/harp03_selected");
    EXPECT_EQ(assets.preload.back(), "anim/bazaar/drawer_selected");
}
