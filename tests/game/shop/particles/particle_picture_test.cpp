#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>

#include "engine/core/files/file.h"
#include "engine/graphics/texture.h"
#include "game/shop/particles/particle_fx.h"
#include "tests/engine/graphics/image_fixtures.h"
#include "tests/engine/graphics/sprite_fixture.h"
#include "tests/game/shop/particles/particle_files.h"

namespace {

class ParticlePictureTest : public SpriteTest {
protected:
    void SetUp() override {
        SpriteTest::SetUp();
        RegisterTextureAssetKinds();
    }
    void TearDown() override {
        UnregisterAssetKind("png");
        UnregisterAssetKind("jpg");
        SpriteTest::TearDown();
    }

    // Plays the effect standing at (x, y) for ms, drawn every 50 ms, the last frame on a black screen.
    void Run(clsParticleFx& fx, float x, float y, int ms) {
        const float still[12] = {x, y, 0, x, y, 0, x, y, 0, x, y, 0};
        fx.AddSegment(still);
        fx.Play();
        for (int at = 0; at < ms; at += 50) {
            fx.Update(50);
            ASSERT_TRUE(renderer->BeginDraw(1));
            const float black[4] = {0, 0, 0, 1};
            renderer->FillRect(TRect(0, 0, 64, 48), black);
            ASSERT_TRUE(renderer->Begin2d());
            fx.Draw();
            renderer->End2d();
            renderer->EndDraw();
        }
    }

    MemoryFiles files;
};

// A soft 8 x 8 dot.
Bytes Dot() {
    std::vector<uint16_t> samples;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            int d = std::abs(2 * x - 7) + std::abs(2 * y - 7);
            samples.insert(samples.end(), {255, 255, 255, uint16_t(std::max(0, 255 - d * 20))});
        }
    return WritePng(MakePng(8, 8, PNG_COLOR_TYPE_RGBA, 8, samples));
}

// Twelve coloured particles bursting from the centre, turning as they go, drawn additively.
EmitterFile Burst() {
    EmitterFile file = StillEmitter(12);
    std::copy_n("dot.png", 7, file.textureName.begin());
    KeyParticleRecord& key = file.keyParticles[0];
    key.alignToMotion = 1;
    key.respawnLimit = 1;
    key.life = {2000, 2000};
    key.startColor = {{{255, 40, 0, 255}}, {{80, 255, 255, 255}}};
    key.endColor = key.startColor;
    key.start.min.values = {-6, -4, 0, 0, 0, 0, 5, 3, 1, 0, 0, 0};
    key.start.max.values = {6, 4, 0, 0, 0, 0, 9, 5, 1, 0, 0, 0};
    key.velocityFromStart = KeyParticleRecord::kCopyPosition;
    key.acceleration.min.values[1] = key.acceleration.max.values[1] = 12;
    return file;
}

TEST_F(ParticlePictureTest, ADrawnEffectMatchesItsReferencePicture) {
    files.Add("fxpic/dot.png", Dot());
    files.Add("fxpic/burst", Burst());
    files.Add("fxpic/burst.par", std::string("burst"));
    clsParticleFx fx(nullptr, "fxpic/burst.par", 1, renderer);
    ASSERT_NE(fx.GetSystem().GetEmitters().at(0)->GetTexture(), nullptr);
    Run(fx, 30, 22, 1000);

    std::vector<uint16_t> drawn;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            uint32_t rgb = Back(x, y);
            drawn.insert(drawn.end(), {uint16_t(rgb >> 16 & 0xFF), uint16_t(rgb >> 8 & 0xFF), uint16_t(rgb & 0xFF)});
        }
    const std::string reference = std::string(ALEMBRIA_SOURCE_DIR) + "/tests/game/shop/particles/data/burst.png";
    if (std::getenv("ALEMBRIA_UPDATE_REFERENCES")) {
        Bytes png = WritePng(MakePng(64, 48, PNG_COLOR_TYPE_RGB, 8, drawn));
        FILE* out = std::fopen(reference.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(png.data(), 1, png.size(), out);
        std::fclose(out);
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, reference.c_str())) << reference;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> expected(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, expected.data(), 0, nullptr));
    ASSERT_EQ(expected.size(), drawn.size());
    int lit = 0, differing = 0;
    for (size_t i = 0; i < drawn.size(); ++i) {
        lit += drawn[i] != 0;
        differing += drawn[i] != expected[i];
    }
    EXPECT_GT(lit, 100);
    EXPECT_EQ(differing, 0) << "set ALEMBRIA_UPDATE_REFERENCES=1 to rewrite " << reference;
}

TEST_F(ParticlePictureTest, TheGamesEffectsLoadAndShine) {
    MountFolder("", PARTICLE_ASSETS);
    const char* effects[] = {"assets/fx/fx_spark/snowflake.txt", "assets/fx/WinLevel/win.par",
                             "assets/fx/artifact/invocation.par", "assets/fx/player/shoes2.par",
                             "assets/fx/player/shoes3.par"};
    for (const char* path : effects) {
        SCOPED_TRACE(path);
        clsParticleFx fx(nullptr, path, 1, renderer);
        const auto& emitters = fx.GetSystem().GetEmitters();
        ASSERT_FALSE(emitters.empty());
        for (const auto& emitter : emitters) {
            EXPECT_FALSE(emitter->IsFailed());
            EXPECT_NE(emitter->GetTexture(), nullptr);
            EXPECT_GT(emitter->GetParticles().size(), 0u);
        }
        Run(fx, 32, 24, 300);  // before the fast ones have left the small screen
        int lit = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) lit += Back(x, y) != 0;
        EXPECT_GT(lit, 20);
    }
}

}  // namespace
