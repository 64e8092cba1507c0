// Pictures of the game drawn by the real rasteriser from the built asset folder at 800 x 600: the file
// layer mounted on the assets, the picture kinds registered, a ready display clipped to its mode.
// Tests draw a frame between BeginDraw and EndDraw and read it back with Pixel.
#pragma once

#include <gtest/gtest.h>

#include "engine/core/files/asset.h"
#include "engine/core/files/file.h"
#include "engine/graphics/animated_texture.h"
#include "engine/graphics/texture.h"
#include "tests/engine/graphics/display_fixture.h"

class BuiltPictureTest : public DisplayTest {
protected:
    static constexpr int kWidth = 800, kHeight = 600;

    void SetUp() override {
        DisplayTest::SetUp();
        SetStartupFolder(ALEMBRIA_ASSET_DIR);
        SetAssetFolder(ALEMBRIA_ASSET_DIR);
        InitFileSystem();
        RegisterTextureAssetKinds();
        RegisterAnimatedTextureAssetKinds();
        display = Make();
        display->SetDisplay(kWidth, kHeight, false, false, false, false);
        ASSERT_TRUE(display->Data()->displayReady);
        renderer = TRenderer::Get();
        renderer->PushClipRect(display->Data()->modeRect);
    }
    void TearDown() override {
        for (const char* extension : {"png", "jpg", "xml", "anm"}) UnregisterAssetKind(extension);
        ShutdownFileSystem();
        DisplayTest::TearDown();
    }

    uint32_t Pixel(int x, int y) const { return display->Data()->backSurface->Pixel(x, y) & 0xFFFFFF; }

    TPlatform* display = nullptr;
    TRenderer* renderer = nullptr;
};
