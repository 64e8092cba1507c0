#include "engine/graphics/texture_data.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/engine/graphics/texture_test_display.h"

namespace {

std::unique_ptr<TDxTextureData> NewData(uint8_t flags) {
    auto data = std::make_unique<TDxTextureData>();
    data->flags = flags;
    return data;
}

}  // namespace

TEST(TextureData, SurfaceSizesFollowTheSquareAndPreDisplayRules) {
    struct Case {
        const char* name;
        bool up, squareOnly;
        uint8_t flags;
        int w, h;
        bool result;
        uint32_t width, height;
        int borderX, borderY;
    } cases[] = {
        {"square display", true, true, 0, 100, 60, true, 128, 128, 14, 34},
        {"square display, already square", true, true, 0, 64, 64, true, 64, 64, 0, 0},
        {"simple texture is never squared", true, true, kTextureSimple, 100, 60, true, 100, 60, 0, 0},
        {"display up keeps the asked size", true, false, 0, 100, 60, true, 100, 60, 0, 0},
        {"before the display: sizes recorded", false, false, 0, 100, 60, false, 128, 64, 0, 0},
        {"before the display: at least 2", false, false, 0, 1, 1, false, 2, 2, 0, 0},
        {"before the display: render target", false, false, kTextureMadeAsTarget, 5, 3, true, 8, 4, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestTextureDisplay display;
        display.up = c.up;
        display.squareOnly = c.squareOnly;
        auto data = NewData(c.flags);
        EXPECT_EQ(data->Create(c.w, c.h, false), c.result);
        EXPECT_EQ(data->width, c.width);
        EXPECT_EQ(data->height, c.height);
        EXPECT_EQ(data->borderX, c.borderX);
        EXPECT_EQ(data->borderY, c.borderY);
        EXPECT_EQ(data->GetSurface() != nullptr, c.up);
    }
}

TEST(TextureData, FormatsByAlphaAndScreenDepth) {
    struct Case {
        int screenBits;
        uint8_t flags;
        platform::video::PixelFormat format;
    } cases[] = {
        {32, kTextureAlpha, platform::video::kA8R8G8B8},
        {32, 0, platform::video::kX8R8G8B8},
        {16, kTextureAlpha, platform::video::kA4R4G4B4},
        {16, 0, platform::video::kR5G6B5},
        {32, kTextureAlpha | kTextureMipmap, platform::video::kA8R8G8B8},
        {16, kTextureMipmap, platform::video::kR5G6B5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screenBits << " bits, flags " << int(c.flags));
        TestTextureDisplay display;
        display.screenBits = c.screenBits;
        auto data = NewData(c.flags);
        ASSERT_TRUE(data->Create(16, 16, true));
        EXPECT_EQ(data->GetSurface()->Format(), c.format);
    }
}

TEST(TextureData, AlphaFormatIsTheDevicesRichestInAlpha) {
    TestTextureDisplay display;
    display.screenBits = 16;
    display.device.textureFormats = {platform::video::kR5G6B5, platform::video::kA1R5G5B5, platform::video::kA4R4G4B4,
                                     platform::video::kA8R8G8B8};
    auto data = NewData(kTextureAlpha);
    ASSERT_TRUE(data->Create(8, 8, false));
    EXPECT_EQ(data->GetSurface()->Format(), platform::video::kA4R4G4B4);

    display.device.textureFormats = {platform::video::kR5G6B5};  // nothing with alpha at 16 bits
    display.screenBits = 32;
    ASSERT_TRUE(data->Create(8, 8, false));
    EXPECT_EQ(data->GetSurface()->Format(), platform::video::kA8R8G8B8);
}

TEST(TextureData, MipmapsRenderTargetsAndTheMemoryCount) {
    TestTextureDisplay display;
    {
        auto mipmapped = NewData(kTextureMipmap | kTextureAlpha);
        ASSERT_TRUE(mipmapped->Create(8, 4, false));
        EXPECT_EQ(mipmapped->GetMipCount(), -1);
        std::vector<std::pair<int, int>> levels;
        for (auto level = mipmapped->GetSurface(); level; level = level->NextMipLevel())
            levels.push_back({level->Width(), level->Height()});
        EXPECT_EQ(levels, (std::vector<std::pair<int, int>>{{8, 4}, {4, 2}, {2, 1}, {1, 1}}));
        // Level pixels come from the level above, box-filtered.
        uint32_t pixels[8 * 4] = {};
        pixels[0] = 0xFF000000, pixels[1] = 0xFF0000FF, pixels[8] = 0xFF00FF00, pixels[9] = 0xFFFF0000;
        ASSERT_TRUE(mipmapped->SetPixels(8, 1, pixels));
        EXPECT_EQ(mipmapped->GetSurface()->NextMipLevel()->Pixel(0, 0), 0xFF404040u);

        auto target = NewData(kTextureRenderTarget | kTextureAlpha);
        ASSERT_TRUE(target->Create(64, 32, true));
        ASSERT_NE(target->GetSurface()->ZBuffer(), nullptr);
        EXPECT_EQ(target->GetSurface()->ZBuffer()->Width(), 64);
        EXPECT_TRUE(target->GetSurface()->Caps() & platform::video::caps::k3DDevice);

        int64_t expected = int64_t(mipmapped->GetSurface()->Pitch()) * 4 + int64_t(target->GetSurface()->Pitch()) * 32;
        EXPECT_EQ(display.textureMemory, expected);
        target->Release();
        EXPECT_EQ(target->GetSurface(), nullptr);
    }
    EXPECT_EQ(display.textureMemory, 0);
}

TEST(TextureData, SetPixelsConvertsThroughTheChannelMasks) {
    struct Case {
        const char* name;
        int screenBits;
        uint8_t flags;
        uint32_t raw;      // the stored value of 0x80FF8040
        uint32_t sampled;  // what reading it back gives
    } cases[] = {
        {"A4R4G4B4 with alpha", 16, kTextureAlpha, 0x8F84, 0x80F08040},
        {"without alpha the alpha bits stay 0", 16, kTextureAlpha | kTextureSimple, 0x0F84, 0x00F08040},
        {"R5G6B5", 16, 0, 0xFC08, 0xFFF88040},
        {"A8R8G8B8", 32, kTextureAlpha, 0x80FF8040, 0x80FF8040},
        {"X8R8G8B8 samples alpha 255", 32, 0, 0x00FF8040, 0xFFFF8040},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestTextureDisplay display;
        display.screenBits = c.screenBits;
        auto data = NewData(c.flags);
        ASSERT_TRUE(data->Create(4, 2, false));
        if (c.flags & kTextureSimple) data->flags &= ~kTextureAlpha;  // an alpha surface written without the flag
        std::vector<uint32_t> pixels(8 * 2, 0x80FF8040);               // rows longer than the surface
        ASSERT_TRUE(data->SetPixels(8, 0, pixels.data()));
        EXPECT_EQ(data->GetSurface()->RawPixel(3, 1), c.raw);
        EXPECT_EQ(data->GetSurface()->Pixel(0, 0), c.sampled);
    }
}

TEST(TextureData, LockLendsTheSurfaceOrAConvertedCopy) {
    TestTextureDisplay display;
    auto direct = NewData(kTextureAlpha);
    ASSERT_TRUE(direct->Create(8, 4, true));
    uint32_t* pixels = nullptr;
    int pitch = 0;
    ASSERT_TRUE(direct->Lock(&pixels, &pitch));
    EXPECT_EQ(pitch, direct->GetSurface()->Pitch() / 4);
    pixels[pitch + 2] = 0x12345678;
    direct->Unlock();
    EXPECT_EQ(direct->GetSurface()->Pixel(2, 1), 0x12345678u);

    display.screenBits = 16;
    auto converted = NewData(0);
    ASSERT_TRUE(converted->Create(6, 2, true));  // R5G6B5
    uint32_t start[6 * 2];
    std::fill(std::begin(start), std::end(start), 0xFFFFFFFF);
    converted->SetPixels(6, 0, start);
    ASSERT_TRUE(converted->Lock(&pixels, &pitch));
    EXPECT_EQ(pitch, 6);
    EXPECT_EQ(pixels[5], 0xFFF8FCF8u);
    EXPECT_FALSE(converted->Lock(&pixels, &pitch));  // one lock at a time
    pixels[6 + 1] = 0xFF0000FF;
    converted->Unlock();
    EXPECT_EQ(converted->GetSurface()->RawPixel(1, 1), 0x001Fu);
    EXPECT_EQ(converted->GetSurface()->RawPixel(0, 1), 0xFFFFu);
}

TEST(TextureData, ClearAndBlit) {
    TestTextureDisplay display;
    auto source = NewData(kTextureAlpha);
    auto target = NewData(kTextureAlpha);
    ASSERT_TRUE(source->Create(4, 4, false));
    ASSERT_TRUE(target->Create(8, 8, false));
    std::vector<uint32_t> fill(16, 0xFFABCDEF);
    source->SetPixels(4, 0, fill.data());
    target->SetPixels(4, 0, std::vector<uint32_t>(64, 0x11111111).data());
    target->Clear();
    EXPECT_EQ(target->GetSurface()->Pixel(0, 0), 0u);
    source->GetSurface()->MarkLost();
    target->GetSurface()->MarkLost();
    target->Clear();  // a lost surface is restored and filled again
    EXPECT_EQ(target->GetSurface()->IsLost(), platform::video::kOk);
    source->GetSurface()->Restore();  // a restored surface comes back blank
    source->SetPixels(4, 0, fill.data());
    ASSERT_TRUE(target->Blit(*source, TRect(1, 1, 3, 4), 5, 2));
    EXPECT_EQ(target->GetSurface()->Pixel(5, 2), 0xFFABCDEFu);
    EXPECT_EQ(target->GetSurface()->Pixel(6, 4), 0xFFABCDEFu);
    EXPECT_EQ(target->GetSurface()->Pixel(7, 2), 0u);
    EXPECT_EQ(target->GetSurface()->Pixel(5, 5), 0u);
}

TEST(TextureData, RefusedCreatesRetryAndOutOfMemoryIsReported) {
    TestTextureDisplay display;
    platform::video::ActiveProfile().faults.refuseSurfaces = 1;
    auto retried = NewData(kTextureAlpha);
    EXPECT_TRUE(retried->Create(16, 16, false));

    platform::video::ActiveProfile().faults.outOfVideoMemorySurfaces = 3;
    auto refused = NewData(kTextureAlpha);
    EXPECT_FALSE(refused->Create(16, 16, false));
    EXPECT_EQ(display.outOfVideoMemory, 3);
    EXPECT_EQ(refused->GetSurface(), nullptr);

    // A render target with alpha that cannot be made drops its render-target bit and tries again.
    platform::video::ActiveProfile().faults.refuseSurfaces = 2;
    auto target = NewData(kTextureAlpha | kTextureRenderTarget);
    EXPECT_TRUE(target->Create(16, 16, false));
    EXPECT_FALSE(target->flags & kTextureRenderTarget);
}

TEST(TextureData, RestoreRebuildsABlankSurface) {
    TestTextureDisplay display;
    auto data = NewData(kTextureAlpha | kTextureRenderTarget);
    ASSERT_TRUE(data->Create(32, 16, true));
    data->Release();
    EXPECT_EQ(data->GetSurface(), nullptr);
    data->Restore();
    ASSERT_NE(data->GetSurface(), nullptr);
    EXPECT_EQ(data->GetSurface()->Width(), 32);
    EXPECT_NE(data->GetSurface()->ZBuffer(), nullptr);

    data->Release();
    platform::video::ActiveProfile().faults.refuseSurfaces = 10;
    data->Restore();
    EXPECT_EQ(data->GetSurface(), nullptr);
    EXPECT_EQ(display.restoreFailures, 1);
}
