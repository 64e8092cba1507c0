// The shop's background drawn by the software rasteriser from the game's own pictures: every
// decoration of a level shows where its shop keeps it. The frames are written as PNG pictures
// ("shop_background_level<N>.png" in the test's folder) for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/png_shot.h"
#include "game/shop/background/shop_background.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/objects/scene_sprite.h"
#include "tests/game/shop/built_picture_fixture.h"

namespace {

// The game's pictures from the built asset folder.
class BuiltAssets : public iGameAssets {
public:
    BuiltAssets() { map.SetAutoLoad(true); }
    std::shared_ptr<TTexture> GetTexture(const TString& name) override { return map.GetTexture(name); }
    void AddPreloadAnim(const TString&) override {}
    void AddPreloadSound(const TString&) override {}
    bool PlaySound(const TString&, bool) override { return false; }
    bool PauseSound(const TString&, bool) override { return false; }
    void StopSound(const TString&) override {}

    TAssetMap map;
};

class ShopBackgroundPictureTest : public BuiltPictureTest {
protected:
    void TearDown() override {
        assets.reset();
        BuiltPictureTest::TearDown();
    }

    // The background window of level drawn as one frame (or only its background picture); true when
    // the frame was drawn.
    bool DrawLevel(int level, bool withDecorations) {
        std::unique_ptr<clsShopBackground> window(static_cast<clsShopBackground*>(clsShopBackground::Create()));
        window->Build(assets.get(), level);
        if (!renderer->BeginDraw(1)) return false;
        const float black[4] = {0, 0, 0, 1};
        renderer->FillRect(TRect(0, 0, kWidth, kHeight), black);
        if (withDecorations) {
            window->Draw();
        } else if (renderer->Begin2d()) {
            window->GetBackground()->Draw();
            renderer->End2d();
        }
        renderer->EndDraw();
        return true;
    }


    std::unique_ptr<BuiltAssets> assets = std::make_unique<BuiltAssets>();
};

TEST_F(ShopBackgroundPictureTest, EveryDecorationIsDrawnAtItsPlaceInTheShop) {
    for (int level : {1, 7}) {
        SCOPED_TRACE("level " + std::to_string(level));
        ASSERT_TRUE(DrawLevel(level, false));
        std::vector<uint32_t> bare(static_cast<size_t>(kWidth * kHeight));
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) bare[static_cast<size_t>(y * kWidth + x)] = Pixel(x, y);
        ASSERT_TRUE(DrawLevel(level, true));
        std::string shot = "shop_background_level" + std::to_string(level) + ".png";
        EXPECT_TRUE(WritePngShot(*display->Data()->backSurface, shot.c_str()));
        for (const clsShopBackground::Decoration* decoration : clsShopBackground::DecorationsForLevel(level)) {
            auto texture = assets->GetTexture(TString("backgrounds/objects/") + decoration->name);
            ASSERT_TRUE(texture) << decoration->name;
            int changed = 0;
            int left = static_cast<int>(decoration->x) - texture->GetWidth() / 2;
            int top = static_cast<int>(decoration->y) - texture->GetHeight() / 2;
            for (int y = std::max(top, 0); y < std::min(top + texture->GetHeight(), kHeight); ++y)
                for (int x = std::max(left, 0); x < std::min(left + texture->GetWidth(), kWidth); ++x)
                    changed += Pixel(x, y) != bare[static_cast<size_t>(y * kWidth + x)];
            EXPECT_GT(changed, texture->GetWidth() * texture->GetHeight() / 4)
                << decoration->name << " is not drawn at its place";
        }
    }
}

}  // namespace
