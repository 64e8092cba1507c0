// Sprites on the 64 x 48 screen, and textures whose pixels the test paints.
#pragma once

#include <functional>
#include <memory>

#include "engine/graphics/sprite.h"
#include "engine/graphics/texture.h"
#include "tests/engine/graphics/display_fixture.h"

class SpriteTest : public ScreenTest {
protected:
    // A w x h texture painted by paint(x, y) -> 0xAARRGGBB.
    std::shared_ptr<TTexture> Paint(int w, int h, const std::function<uint32_t(int, int)>& paint) {
        std::shared_ptr<TTexture> texture = TTexture::CreateRenderTarget(w, h, true);
        uint32_t* pixels;
        int pitch;
        if (!texture || !texture->Lock(&pixels, &pitch)) return nullptr;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels[y * pitch + x] = paint(x, y);
        texture->Unlock();
        return texture;
    }
    std::shared_ptr<TTexture> Solid(int w, int h, uint32_t argb) {
        return Paint(w, h, [=](int, int) { return argb; });
    }

    // Draws the tree on a black screen as one frame.
    void DrawFrame(TSprite& root, int depth = -1) {
        ASSERT_TRUE(renderer->BeginDraw(1));
        const float black[4] = {0, 0, 0, 1};
        renderer->FillRect(TRect(0, 0, 64, 48), black);
        ASSERT_TRUE(renderer->Begin2d());
        root.Draw(TSpriteState(), depth);
        renderer->End2d();
        renderer->EndDraw();
    }

    uint32_t Back(int x, int y) { return platform->Data()->backSurface->Pixel(x, y) & 0xFFFFFF; }

    static void MoveTo(TSprite& sprite, float x, float y) {
        sprite.GetState().transform.m[6] = x;
        sprite.GetState().transform.m[7] = y;
    }
};
