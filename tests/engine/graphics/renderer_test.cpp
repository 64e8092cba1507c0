#include "engine/graphics/texture.h"
#include "tests/engine/graphics/display_fixture.h"

namespace {

class RendererTest : public ScreenTest {
protected:
    uint32_t Back(int x, int y) { return platform->Data()->backSurface->Pixel(x, y); }

    TVertexSet Quad(TVertex* v, float x0, float y0, float x1, float y1, uint32_t color) {
        const float corners[4][4] = {{x0, y0, 0, 0}, {x1, y0, 1, 0}, {x1, y1, 1, 1}, {x0, y1, 0, 1}};
        for (int i = 0; i < 4; ++i) {
            v[i].position = TVec3(corners[i][0], corners[i][1], 0.1f);
            v[i].rhw = 0.5f;
            v[i].diffuse = TColor(color);
            v[i].uv = TVec2(corners[i][2], corners[i][3]);
        }
        return TVertexSet{2, v, 4};
    }
};

TEST_F(RendererTest, GuardsRefuseCallsInTheWrongBlock) {
    EXPECT_FALSE(renderer->Begin2d());
    EXPECT_TRUE(Logged("ERROR: Calling Begin2d outside of a BeginDraw or BeginRenderTarget block!"));
    TVertex v[4];
    renderer->DrawVertices(PrimitiveTriangleFan, Quad(v, 0, 0, 4, 4, 0xFFFFFFFF));
    EXPECT_TRUE(Logged("DrawVertices called when not in Begin2d or Begin3d state"));
    renderer->End2d();
    EXPECT_TRUE(Logged("End2d called when not in Begin2d state"));

    ASSERT_TRUE(renderer->BeginDraw(1));
    EXPECT_TRUE(renderer->Begin2d());
    EXPECT_FALSE(renderer->Begin2d());
    EXPECT_TRUE(Logged("Begin2d called when already in Begin2d state"));
    EXPECT_FALSE(renderer->Begin3d());
    EXPECT_TRUE(Logged("Begin3d called when already in Begin2d state"));
    EXPECT_TRUE(renderer->IsIn2d());
    renderer->EndDraw();
    renderer->End2d();
    EXPECT_TRUE(Logged("ERROR: Calling End2d after EndDraw or EndRenderTarget!"));
    EXPECT_FALSE(renderer->IsIn2d());
}

TEST_F(RendererTest, TheFirstClipRectangleIsNeverPopped) {
    TRenderer::Destroy();
    renderer = TRenderer::Get();
    EXPECT_EQ(renderer->GetClipRect(), TRect(0, 0, 0, 0));
    renderer->PushClipRect(TRect(0, 0, 64, 48));
    renderer->PushClipRect(TRect(10, 10, 20, 20));
    EXPECT_EQ(renderer->GetClipRect(), TRect(10, 10, 20, 20));
    EXPECT_EQ(platform->Data()->clipRect, TRect(10, 10, 20, 20));
    renderer->PopClipRect();
    renderer->PopClipRect();
    EXPECT_EQ(renderer->GetClipRect(), TRect(0, 0, 64, 48));
    EXPECT_EQ(platform->Data()->clipRect, TRect(0, 0, 64, 48));
}

TEST_F(RendererTest, FpsIsMeasuredOverFifteenFrames) {
    const uint32_t start = 5000;
    for (int i = 0; i < 15; ++i) {
        host.now = start + i * 250 / 14;
        EXPECT_EQ(renderer->GetFps(), 0.0f);
        renderer->DrawStats();
    }
    EXPECT_FLOAT_EQ(renderer->GetFps(), 60.0f);
    // Fifteen frames within the same millisecond keep the last figure.
    for (int i = 0; i < 15; ++i) renderer->DrawStats();
    EXPECT_FLOAT_EQ(renderer->GetFps(), 60.0f);
}

TEST_F(RendererTest, TheStatisticsOverlayBlanksItsCorner) {
    platform->SetDisplay(400, 300, false, true, false, false);
    TRenderer::Destroy();
    renderer = TRenderer::Get();
    renderer->PushClipRect(TRect(0, 0, 400, 300));
    renderer->ToggleStats();
    ASSERT_TRUE(renderer->BeginDraw(1));
    const float white[4] = {1, 1, 1, 1};
    renderer->FillRect(TRect(0, 0, 400, 300), white);
    renderer->DrawStats();
    EXPECT_FALSE(renderer->IsDrawing());
    EXPECT_FALSE(renderer->IsIn2d());
    EXPECT_EQ(Back(299, 63), 0xFF000000u);
    EXPECT_EQ(Back(300, 63), 0xFFFFFFFFu);
    EXPECT_EQ(Back(299, 64), 0xFFFFFFFFu);
}

TEST_F(RendererTest, OptionsOtherThanFpsReachTheDisplay) {
    renderer->SetOption("antialias", "1");
    EXPECT_EQ(renderer->GetOption("antialias"), TString("1"));
    renderer->SetOption("fps", "0");
    EXPECT_EQ(renderer->GetOption("fps"), TString(""));
    EXPECT_FALSE(renderer->ToggleStats());
    EXPECT_TRUE(renderer->ToggleStats());
}

TEST_F(RendererTest, ColorFillValuesComeFromTheFormatMasks) {
    const float color[4] = {1.0f, 0.5f, 0.25f, 1.0f};
    renderer->FillRect(TRect(2, 2, 6, 6), color);
    EXPECT_EQ(platform->Data()->backSurface->RawPixel(3, 3), 0xFFFF7F3Fu);
    EXPECT_EQ(platform->Data()->backSurface->RawPixel(6, 6), 0u);

    // Sixteen bits: the same colour through the R5G6B5 masks.
    platform->Data()->lowMemoryVideo = true;
    platform->SetDisplay(640, 480, true, true, false, false);
    ASSERT_EQ(platform->Data()->backSurface->Format(), platform::video::kR5G6B5);
    renderer->FillRect(TRect(2, 2, 6, 6), color);
    EXPECT_EQ(platform->Data()->backSurface->RawPixel(3, 3), 0xFBE7u);

    // With an empty clip stack nothing is filled.
    TRenderer::Destroy();
    renderer = TRenderer::Get();
    renderer->FillRect(TRect(10, 10, 12, 12), color);
    EXPECT_EQ(platform->Data()->backSurface->RawPixel(10, 10), 0u);
}

TEST_F(RendererTest, DrawnFillsAreOpaqueAndMovedByTheViewport) {
    ASSERT_TRUE(renderer->BeginDraw(1));
    renderer->PushViewport(TRect(8, 8, 40, 40));
    const float color[4] = {0.0f, 1.0f, 0.0f, 0.25f};
    renderer->FillRect(TRect(0, 0, 4, 4), color);
    renderer->PopViewport();
    renderer->EndDraw();
    EXPECT_EQ(Back(8, 8), 0xFF00FF00u);
    EXPECT_EQ(Back(11, 11), 0xFF00FF00u);
    EXPECT_EQ(Back(12, 12), 0u);
    EXPECT_EQ(Back(7, 7), 0u);
}

TEST_F(RendererTest, TwoDimensionalProjectionIsViewportRelativeWithTheTexelOffset) {
    ASSERT_TRUE(renderer->BeginDraw(1));
    ASSERT_TRUE(renderer->Begin2d());
    TVertex v[4];
    renderer->DrawVertices(PrimitiveTriangleFan, Quad(v, 2, 3, 6, 7, 0xFFFF0000));
    platform::video::Matrix m;
    platform->Data()->device->GetTransform(platform::video::transform::kProjection, &m);
    EXPECT_FLOAT_EQ(m.m[0][0], 2.0f / 64);
    EXPECT_FLOAT_EQ(m.m[1][1], -2.0f / 48);
    EXPECT_FLOAT_EQ(m.m[3][0], 65.0f / -64);
    EXPECT_FLOAT_EQ(m.m[3][1], 49.0f / 48);
    EXPECT_EQ(m.m[2][2], 1.0f);
    EXPECT_EQ(m.m[3][2], 0.0f);
    renderer->End2d();
    renderer->EndDraw();
    EXPECT_EQ(Back(2, 3), 0xFFFF0000u);
    EXPECT_EQ(Back(5, 6), 0xFFFF0000u);
    EXPECT_EQ(Back(6, 7), 0u);
}

TEST_F(RendererTest, ViewportsClampIntoTheModeAndPopOnlyWhatWasPushed) {
    platform->PushViewport(100, 0, 120, 10);
    platform::video::Viewport vp = platform->Data()->device->GetViewport();
    EXPECT_EQ(vp.x, 63);
    EXPECT_EQ(vp.width, 1);
    platform->PopViewport();
    platform->PopViewport();
    EXPECT_TRUE(Logged("PopViewport: no saved viewport"));
    EXPECT_EQ(platform->Data()->viewport, TRect(0, 0, 64, 48));
}

TEST_F(RendererTest, RenderTargetModesDecideWhatReachesTheTexture) {
    struct Case {
        int mode;
        uint32_t drawn, untouched;  // texture pixels where the pass drew and where it did not
    };
    // The texture starts as 0x80102030 everywhere; the pass fills {0, 0, 4, 4} with red at alpha 0.5.
    const Case cases[] = {
        {0, 0xFFFF0000, 0xFF000000},
        {1, 0xFFFF0000, 0x00000000},
        {2, 0xFFFF0000, 0xFF102030},
        {4, 0x7F102030, 0x00102030},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        std::shared_ptr<TTexture> target = TTexture::CreateRenderTarget(16, 16, true);
        ASSERT_NE(target, nullptr);
        uint32_t* pixels;
        int pitch;
        ASSERT_TRUE(target->Lock(&pixels, &pitch));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) pixels[y * pitch + x] = 0x80102030;
        target->Unlock();
        const float black[4] = {0, 0, 0, 0};
        renderer->FillRect(TRect(0, 0, 64, 48), black);

        ASSERT_TRUE(renderer->BeginRenderTarget(target, c.mode));
        EXPECT_FALSE(renderer->BeginRenderTarget(target, c.mode));
        const float red[4] = {1, 0, 0, 0.5f};
        renderer->FillRect(TRect(0, 0, 4, 4), red);
        renderer->EndDraw();
        EXPECT_EQ(platform->Data()->renderTarget, nullptr);
        EXPECT_TRUE(platform->Data()->savedViewports.empty());
        ASSERT_TRUE(target->Lock(&pixels, &pitch));
        EXPECT_EQ(pixels[1 * pitch + 1], c.drawn) << std::hex << pixels[1 * pitch + 1];
        EXPECT_EQ(pixels[8 * pitch + 8], c.untouched) << std::hex << pixels[8 * pitch + 8];
        target->Unlock();
    }
    // A pass never reaches the window.
    EXPECT_TRUE(platform->Data()->backSurface->Dirty().empty() ||
                platform->Data()->backSurface->Dirty().back() != (platform::video::Rect{0, 0, 4, 4}));
}

TEST_F(RendererTest, ACoverageMaskOfATextureLargerThanTheScreenStopsAtTheScreen) {
    std::shared_ptr<TTexture> target = TTexture::CreateRenderTarget(128, 64, true);
    ASSERT_NE(target, nullptr);
    uint32_t* pixels;
    int pitch;
    ASSERT_TRUE(target->Lock(&pixels, &pitch));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) pixels[y * pitch + x] = 0xFF102030;
    target->Unlock();
    ASSERT_TRUE(renderer->BeginRenderTarget(target, 4));
    const float white[4] = {1, 1, 1, 1};
    renderer->FillRect(TRect(0, 0, 128, 64), white);
    renderer->EndDraw();
    ASSERT_TRUE(target->Lock(&pixels, &pitch));
    EXPECT_EQ(pixels[47 * pitch + 63], 0xFF102030u);  // inside the 64 x 48 screen: covered
    EXPECT_EQ(pixels[47 * pitch + 64], 0x00102030u);  // beyond it: nothing was drawn there
    EXPECT_EQ(pixels[48 * pitch + 10], 0x00102030u);
    target->Unlock();
}

TEST_F(RendererTest, APassWhoseTextureLostItsSurfaceStillEndsOnce) {
    std::shared_ptr<TTexture> target = TTexture::CreateRenderTarget(16, 16, true);
    ASSERT_TRUE(renderer->BeginRenderTarget(target, 0));
    target->GetTextureData().Release();
    renderer->EndDraw();
    EXPECT_EQ(platform->Data()->renderTarget, nullptr);
    EXPECT_TRUE(platform->Data()->savedViewports.empty());
    EXPECT_TRUE(platform->Data()->directXBroken);
    platform->EndRenderTarget();  // a second end finds no pass and pops nothing
    EXPECT_FALSE(Logged("PopViewport: no saved viewport"));
}

TEST_F(RendererTest, ACoverageMaskLeavesOrdinaryDrawsModulating) {
    std::shared_ptr<TTexture> target = TTexture::CreateRenderTarget(8, 8, true);
    ASSERT_TRUE(renderer->BeginRenderTarget(target, 4));
    ASSERT_TRUE(renderer->Begin2d());
    EXPECT_EQ(platform->Data()->device->GetTextureStageState(0, platform::video::tss::kColorOp),
              platform::video::top::kSelectArg1);
    EXPECT_EQ(platform->Data()->device->GetRenderState(platform::video::rs::kDestBlend), platform::video::blend::kOne);
    renderer->End2d();
    renderer->EndDraw();
    ASSERT_TRUE(renderer->BeginDraw(1));
    renderer->SetBlendMode(BlendAlpha);
    EXPECT_EQ(platform->Data()->device->GetTextureStageState(0, platform::video::tss::kColorOp),
              platform::video::top::kModulate);
    EXPECT_EQ(platform->Data()->device->GetTextureStageState(0, platform::video::tss::kColorArg2),
              platform::video::ta::kCurrent);
    renderer->EndDraw();
}

TEST_F(RendererTest, FrameCaptureCopiesTheFinishedFrame) {
    std::shared_ptr<TTexture> frame = TTexture::CreateRenderTarget(64, 48, true);
    ASSERT_NE(frame, nullptr);
    renderer->SetFrameTexture(TTexture::CreateRenderTarget(32, 32, true));
    EXPECT_EQ(renderer->GetFrameTexture(), nullptr);
    renderer->SetFrameTexture(frame);
    ASSERT_TRUE(renderer->BeginDraw(1));
    const float blue[4] = {0, 0, 1, 1};
    renderer->FillRect(TRect(10, 10, 20, 20), blue);
    renderer->DrawStats();
    EXPECT_EQ(renderer->GetFrameTexture(), nullptr);
    uint32_t* pixels;
    int pitch;
    ASSERT_TRUE(frame->Lock(&pixels, &pitch));
    EXPECT_EQ(pixels[15 * pitch + 15], 0xFF0000FFu);
    EXPECT_EQ(pixels[5 * pitch + 5], 0xFF000000u);
    frame->Unlock();
    // The frame itself still reaches the window.
    EXPECT_GE(platform->Present(-1, -1).first, 0);
    EXPECT_EQ(platform->GetContext()->GetFrontSurface()->Pixel(15, 15), 0xFF0000FFu);
}

TEST_F(RendererTest, SimpleTexturesAreNeitherTargetsNorCurrentTextures) {
    std::shared_ptr<TTexture> texture = TTexture::CreateRenderTarget(8, 8, false);
    ASSERT_NE(texture, nullptr);
    renderer->SetTexture(texture);
    EXPECT_EQ(renderer->GetTexture(), texture);
    texture->GetTextureData().flags |= kTextureSimple;
    renderer->SetTexture(texture);
    EXPECT_EQ(renderer->GetTexture(), nullptr);
    EXPECT_FALSE(renderer->BeginRenderTarget(texture, 0));
}

TEST_F(RendererTest, CalibrationSettlesOnHalfATexelAndClearsTheScreen) {
    platform->Data()->texelOffset = 0.3f;
    const float white[4] = {1, 1, 1, 1};
    renderer->FillRect(TRect(0, 0, 64, 48), white);
    TRenderer::Destroy();
    renderer = TRenderer::Get();
    platform->TestRenderTargets();
    EXPECT_FLOAT_EQ(platform->Data()->texelOffset, -0.5f);
    EXPECT_EQ(renderer->GetClipRect(), TRect(0, 0, 64, 48));
    EXPECT_EQ(Back(30, 30), 0xFF000000u);
    // Once per run.
    platform->Data()->texelOffset = 0.3f;
    platform->TestRenderTargets();
    EXPECT_FLOAT_EQ(platform->Data()->texelOffset, 0.3f);
}

}  // namespace

namespace {

TEST_F(DisplayTest, TheCursorIsMadeFromTheTexturesTopLeft32x32) {
    TPlatform* platform = Make();
    platform->SetDisplay(64, 48, false, false, false, false);
    TDXContext* context = platform->GetContext();
    EXPECT_FALSE(context->SetMouseImage(nullptr, 3, 5));
    std::shared_ptr<TTexture> picture = TTexture::CreateRenderTarget(32, 32, true);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(context->SetMouseImage(picture, 3, 5));
    EXPECT_TRUE(context->SetMouseImage(picture, 3, 5));
    EXPECT_EQ(host.window.cursorImagesSet, 2);
    context->ShowCursor(false);
    EXPECT_FALSE(host.window.cursorVisible);
    context->ShowCursor(true);
    EXPECT_TRUE(host.window.cursorVisible);
}

}  // namespace
