#include "game/shop/background/shop_background.h"

#include <algorithm>
#include <string>
#include <vector>

#include "game/shop/objects/scene_sprite.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

using Decoration = clsShopBackground::Decoration;

std::vector<std::string> Names(const std::vector<const Decoration*>& decorations) {
    std::vector<std::string> names;
    for (const Decoration* decoration : decorations) names.push_back(decoration->name);
    return names;
}

int Animated(const std::vector<const Decoration*>& decorations) {
    int count = 0;
    for (const Decoration* decoration : decorations) count += decoration->animated;
    return count;
}

TEST(ShopBackgroundTest, EachLevelShowsItsShopAndTheDecorationsGatheredSoFar) {
    struct Case {
        int level;
        const char* background;
        std::vector<std::string> decorations;  // in ascending slot order
    };
    const Case cases[] = {
        {0, "backgrounds/shop_1/bg_shop_01", {"octopus_table_1", "mask"}},
        {3, "backgrounds/shop_2/bg_shop_02", {"octopus_table_1", "tiki_plant", "mask", "monsterbox"}},
        {6,
         "backgrounds/shop_3/bg_shop_03",
         {"red_monster", "octopus_table_2", "tiki_plant", "box2", "mask", "monsterbox", "book_holog"}},
        {11,
         "backgrounds/shop_4/bg_shop_04",
         {"monster_eye", "octopus_table_2", "tiki_plant", "calabza", "box2", "mask", "goat_head", "monsterbox",
          "cabeza_clava", "book_holog"}},
        {24, "backgrounds/shop_9/bg_shop_09", {}},
        {-1, "backgrounds/shop_1/bg_shop_01", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clsShopBackground::BackgroundName(c.level), c.background) << "level " << c.level;
        EXPECT_EQ(Names(clsShopBackground::DecorationsForLevel(c.level)), c.decorations) << "level " << c.level;
    }
}

TEST(ShopBackgroundTest, LaterDecorationsTakeTheirSlotsPlaces) {
    struct Case {
        int level;
        int slot;
        const char* shown;
    };
    for (Case c : {Case{7, 3, "monster_eye"}, Case{18, 9, "octopus_table_6"}, Case{21, 1, "brooms"},
                   Case{22, 1, "shop_07_brooms"}}) {
        std::vector<const Decoration*> decorations = clsShopBackground::DecorationsForLevel(c.level);
        auto inSlot = std::find_if(decorations.begin(), decorations.end(),
                                   [&](const Decoration* d) { return d->slot == c.slot; });
        ASSERT_NE(inSlot, decorations.end()) << "level " << c.level;
        EXPECT_STREQ((*inSlot)->name, c.shown) << "level " << c.level;
    }
    std::vector<const Decoration*> last = clsShopBackground::DecorationsForLevel(23);
    EXPECT_EQ(last.size(), 18u);
    EXPECT_EQ(Animated(last), 8);
}

class ShopBackgroundBuildTest : public ShopTest {};

TEST_F(ShopBackgroundBuildTest, BuildsOneSpriteADecorationAndATimerAnAnimatedOne) {
    AddPicture("backgrounds/shop_4/bg_shop_04", 80, 60);
    AddAnimation("backgrounds/objects/calabza", 3, "function DoAnim() frames{1,2,3} end");
    std::unique_ptr<clsShopBackground> window(static_cast<clsShopBackground*>(clsShopBackground::Create()));
    window->Build(&scene->assets, 11);
    ASSERT_EQ(window->GetDecorations().size(), 10u);
    EXPECT_EQ(window->GetTimers().size(), 4u);
    EXPECT_EQ(window->GetDecorations()[3]->GetPosition(), TVec2(745.9f, 424.4f)) << "calabza";
    EXPECT_EQ(window->GetBackground()->GetPosition(), TVec2(400.0f, 300.0f));
    EXPECT_EQ(window->GetBackground()->GetWidth(), 80);
    EXPECT_STREQ(window->GetClassName(), "clsShopBackground");
    EXPECT_TRUE(window->IsKindOf(clsShopBackground::ClassId()));
    EXPECT_TRUE(window->IsKindOf(TWindow::ClassId()));
}

TEST_F(ShopBackgroundBuildTest, AnimatedDecorationsReplayAfterWholeRandomSecondsFromTenToThirty) {
    AddAnimation("backgrounds/objects/hipo", 3, "function DoAnim() frames{1,2,3} end");
    clsAnimatedSprite hipo(scene.get());
    random.scripted = {0, 20, 5, 7};
    DecorationTimer timer(&hipo, clsShopBackground::kMinReplaySeconds, clsShopBackground::kMaxReplaySeconds);
    EXPECT_EQ(timer.GetCountdownSeconds(), 10.0f);
    timer.Step(9.5f);
    EXPECT_TRUE(hipo.GetLastAction().IsEmpty());
    timer.Step(0.5f);
    EXPECT_EQ(hipo.GetLastAction(), "DoAnim");
    EXPECT_EQ(timer.GetCountdownSeconds(), 30.0f);
    timer.Step(30.0f);
    EXPECT_EQ(timer.GetCountdownSeconds(), 15.0f);

    DecorationTimer none(nullptr, 10.0f, 30.0f);
    none.Step(100.0f);
    EXPECT_EQ(none.GetCountdownSeconds(), 17.0f) << "without a decoration the countdown stands";
}

TEST_F(ShopBackgroundBuildTest, PreloadsEveryShopThenTheDecorationsLastFirst) {
    PreloadShopBackgroundAnims(scene->assets);
    const std::vector<std::string>& names = scene->assets.preload;
    ASSERT_EQ(names.size(), 16u + 22u);
    EXPECT_EQ(names[0], "backgrounds/shop_1/bg_shop_01");
    EXPECT_EQ(names[1], "backgrounds/shop_1/bg_table_01");
    EXPECT_EQ(names[5], "backgrounds/shop_3/bg_table_03");
    EXPECT_EQ(names[16], "backgrounds/objects/ojos");
    EXPECT_EQ(names.back(), "backgrounds/objects/octopus_table_1");
}

}  // namespace

namespace {

// A level's own shop: its background, its counter table and exactly the decorations it shows.
TEST_F(ShopBackgroundBuildTest, PreloadsOneLevelsShopWithItsDecorations) {
    const struct {
        int level;
        std::vector<std::string> names;
    } kLevels[] = {
        {0, {"backgrounds/shop_1/bg_shop_01", "backgrounds/shop_1/bg_table_01", "backgrounds/objects/octopus_table_1", "backgrounds/objects/mask"}},
        {4, {"backgrounds/shop_2/bg_shop_02", "backgrounds/shop_2/bg_table_02", "backgrounds/objects/red_monster", "backgrounds/objects/octopus_table_1",
             "backgrounds/objects/tiki_plant", "backgrounds/objects/box2", "backgrounds/objects/mask",
             "backgrounds/objects/monsterbox"}},
    };
    for (const auto& test : kLevels) {
        scene->assets.preload.clear();
        PreloadLevelShopBackground(scene->assets, test.level);
        EXPECT_EQ(scene->assets.preload, test.names) << "level " << test.level;
    }
}

}  // namespace
