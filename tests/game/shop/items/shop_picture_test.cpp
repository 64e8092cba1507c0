// The shelf with stored potions and its artifacts, and a popped number, drawn from the game's own
// pictures through the real rasteriser at 800 x 600 over the first shop's background. The frame is
// written to "shop_items.png" in the test's folder for a look.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/files/file.h"
#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/animated_texture.h"
#include "engine/graphics/png_shot.h"
#include "engine/graphics/texture.h"
#include "game/data/game_tables.h"
#include "game/shop/hud/control_number.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "tests/game/shop/built_scene_fixture.h"

namespace {

constexpr char kBackground[] = "backgrounds/shop_1/bg_shop_01";

class ShopPictureTest : public BuiltSceneTest {
protected:
    void SetUp() override {
        BuiltSceneTest::SetUp();
        GameTables& tables = GetGameTables();
        tables.potions = {{15, 1, {0}}, {15, 2, {1, 2}}, {15, 3, {3, 4, 5}}};
        tables.artifactValues = {40, 50, 60, 70, 80, 90, 100, 110, 120};
    }
    void TearDown() override {
        GetGameTables() = GameTables();
        BuiltSceneTest::TearDown();
    }

    // One frame of the background and the objects, then the pixel at each point.
    void DrawFrame(clsSprite& background, std::initializer_list<clsBasicObject*> objects) {
        ASSERT_TRUE(renderer->BeginDraw(1));
        const float black[4] = {0, 0, 0, 1};
        renderer->FillRect(TRect(0, 0, 800, 600), black);
        ASSERT_TRUE(renderer->Begin2d());
        background.Draw();
        for (clsBasicObject* object : objects) object->Draw();
        renderer->End2d();
        renderer->EndDraw();
    }
    // How many pixels of the rectangle differ from the frame before.
    int Changed(const std::vector<uint32_t>& before, const TRect& rect) {
        int changed = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) changed += Pixel(x, y) != before[y * 800 + x];
        return changed;
    }
};

TEST_F(ShopPictureTest, TheShelfShowsPotionsArtifactsAndAClockBesideANumber) {
    if (!Load(kBackground)) GTEST_SKIP() << "the game's pictures are not built in " << ALEMBRIA_ASSET_DIR;
    PreloadShelfAnims(scene->assets);
    PreloadPotionAnims(scene->assets);
    PreloadArtifactAnims(scene->assets);
    scene->assets.preload.push_back("anim/numbers");
    for (const std::string& name : scene->assets.preload) EXPECT_TRUE(Load(name)) << name;

    clsSprite background(scene.get());
    background.SetTexture(scene->assets.GetTexture(kBackground));
    background.SetPosition(400, 300);
    background.Update(0);

    clsShelf shelf(scene.get(), 180, 13, 318, 203);
    shelf.BuildSlots(94, 33, 3, 3, 47, 31, 18, 16);
    shelf.SetSpotCount(2);
    for (int id = 0; id < 9; ++id) shelf.PutInFreeSlot(new clsArtifact(scene.get(), id, clsArtifact::kReady), 1);
    shelf.FindSlotByItemId(1)->SetState(clsArtifact::kSpent);
    clsArtifact* recharging = shelf.FindSlotByItemId(4);
    recharging->SetState(clsArtifact::kRecharging);
    recharging->StartClock(9.0f);
    shelf.FindSlotByItemId(8)->SetGlowVisible(true);
    shelf.PlaceItem(new clsPotionGraph(scene.get(), 1, true), 0);
    shelf.PlaceItem(new clsPotionGraph(scene.get(), 2, true), 1);
    clsControlNumber number(scene.get());
    number.SetValue(45, TVec2(560, 330));
    for (int frame = 0; frame < 20; ++frame) {
        scene->clock.SetTime(scene->clock.GetTime() + 50);
        AnimationTaskList().Run();
        shelf.Update(0.05f);
        number.Update(0.05f);
    }

    DrawFrame(background, {});
    std::vector<uint32_t> before(800 * 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) before[y * 800 + x] = Pixel(x, y);
    DrawFrame(background, {&shelf, &number});
    EXPECT_TRUE(WritePngShot(*display->Data()->backSurface, "shop_items.png"));

    for (int slot = 0; slot < 9; ++slot) {
        TRect around = shelf.GetSlotRect(slot);
        around = TRect(around.left - 15, around.top - 15, around.left + 15, around.top + 15);
        EXPECT_GT(Changed(before, around), 100) << "artifact on slot " << slot;
    }
    for (int spot = 0; spot < 3; ++spot)
        EXPECT_GT(Changed(before, shelf.GetSpotRect(spot)), 100) << (spot < 2 ? "potion on place " : "cover of place ")
                                                                     << spot;
    EXPECT_GT(Changed(before, TRect(545, 290, 600, 330)), 50) << "the number";
}

}  // namespace
