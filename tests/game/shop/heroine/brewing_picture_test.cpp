// The heroine carrying two potions beside a boiling cauldron, drawn from the game's own pictures by
// the real rasteriser; the frame is written to "heroine_at_the_cauldron.png" beside the test.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>

#include "engine/core/files/file.h"
#include "game/data/game_tables.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "tests/game/shop/shop_fixture.h"

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 260;

class BrewingPictureTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        platform->SetDisplay(kWidth, kHeight, false, false, false, false);
        ASSERT_TRUE(platform->Data()->displayReady);
        renderer->PushClipRect(platform->Data()->modeRect);
        savedTables = GetGameTables();
        GameTables& tables = GetGameTables();
        tables.numberOfIngredients = 10;
        AddonRecord cauldron;
        cauldron.paramPerLevel = {8, 6, 4};
        tables.addons = {cauldron};
        tables.potions.assign(3, PotionRecord());
        tables.potions[1].ingredients = {0, 1};
        tables.potions[2].ingredients = {2};
        tables.potionCount = 3;
        MountFolder("", ALEMBRIA_ASSET_DIR);
    }
    void TearDown() override {
        GetGameTables() = savedTables;
        ShopTest::TearDown();
    }

    // Every picture a preload list names, loaded from the game's assets (sounds are left out).
    void LoadPreloaded() {
        for (const std::string& name : scene->assets.preload)
            if (name.find('?') == std::string::npos)
                if (auto texture = TAnimatedTexture::Get("", "", name.c_str())) scene->assets.textures[name] = texture;
    }

    void WriteFrame(const std::string& path) {
        std::vector<uint16_t> samples;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                uint32_t rgb = Back(x, y);
                samples.insert(samples.end(), {uint16_t(rgb >> 16 & 0xFF), uint16_t(rgb >> 8 & 0xFF), uint16_t(rgb & 0xFF)});
            }
        Bytes png = WritePng(MakePng(kWidth, kHeight, PNG_COLOR_TYPE_RGB, 8, samples));
        FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(png.data(), 1, png.size(), out);
        std::fclose(out);
    }

    // Pixels in the box that are not the background.
    int CountDrawn(int left, int top, int right, int bottom) {
        int drawn = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) drawn += Back(x, y) != 0x202030u;
        return drawn;
    }

    GameTables savedTables;
};

TEST_F(BrewingPictureTest, TheHeroineCarriesTwoPotionsBesideABoilingCauldron) {
    PreloadCauldronAnims(scene->assets);
    PreloadPlayerAnims(scene->assets);
    PreloadPotionAnims(scene->assets);
    PreloadIngredientAnims(scene->assets);
    clsActor::PreloadShadow(scene->assets);
    LoadPreloaded();
    ASSERT_NE(scene->assets.textures.count("anim/tessa/tessa_stand_item"), 0u);
    ASSERT_NE(scene->assets.textures.count("anim/cauldron/cauldron_02_boil"), 0u);

    clsCauldron cauldron(2, scene.get(), TVec2(250, 170));
    cauldron.StartPotion(1);
    cauldron.AddIngredient(0, true);
    cauldron.AddIngredient(1, true);
    cauldron.HideBalloon();
    cauldron.Ignite();
    clsPlayer player(scene.get(), 1);
    player.SetPosition(110, 150);
    player.TakePotion(2);
    player.TakePotion(1);
    player.RefreshAnimation();
    for (int frame = 0; frame < 20; ++frame) Step(0.05f, cauldron, player);
    ASSERT_EQ(cauldron.GetState(), clsCauldron::kBoiling);
    ASSERT_EQ(player.GetNumCarriedItems(), 2);

    ASSERT_TRUE(renderer->BeginDraw(1));
    const float dusk[4] = {0x20 / 255.0f, 0x20 / 255.0f, 0x30 / 255.0f, 1};
    renderer->FillRect(TRect(0, 0, kWidth, kHeight), dusk);
    ASSERT_TRUE(renderer->Begin2d());
    cauldron.Draw();
    player.Draw();
    renderer->End2d();
    renderer->EndDraw();
    WriteFrame("heroine_at_the_cauldron.png");

    EXPECT_GT(CountDrawn(180, 100, 320, 250), 2000);  // the cauldron, its fire and its bar
    EXPECT_GT(CountDrawn(50, 60, 170, 240), 3000);  // the heroine
    EXPECT_GT(CountDrawn(70, 70, 110, 135), 150);  // the potions above her hands
}

}  // namespace
