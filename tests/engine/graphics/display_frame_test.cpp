#include "engine/graphics/texture.h"
#include "tests/engine/graphics/display_fixture.h"

namespace {

class DisplayFrameTest : public DisplayTest {
protected:
    TPlatform* Build() {
        TPlatform* platform = Make();
        platform->SetDisplay(64, 48, false, false, false, false);
        EXPECT_TRUE(platform->Data()->displayReady);
        return platform;
    }

    // A frame filling {x0, y0, x1, y1} with color.
    bool Frame(TPlatform* platform, float x0, float y0, float x1, float y1, uint32_t color) {
        if (!platform->BeginDraw(true)) return false;
        platform::video::TLVertex quad[4] = {{x0 - 0.5f, y0 - 0.5f, 0.1f, 0.5f, color, 0, 0, 0},
                                             {x1 - 0.5f, y0 - 0.5f, 0.1f, 0.5f, color, 0, 1, 0},
                                             {x1 - 0.5f, y1 - 0.5f, 0.1f, 0.5f, color, 0, 1, 1},
                                             {x0 - 0.5f, y1 - 0.5f, 0.1f, 0.5f, color, 0, 0, 1}};
        platform->DrawVertices(platform::video::prim::kTriangleFan, platform::video::fvf::kTLVertex, quad, 4);
        platform->EndDraw(true);
        return true;
    }

    void LoseDevice(TPlatform* platform) { platform->Data()->directDraw->LoseSurfaces(); }
};

TEST_F(DisplayFrameTest, PresentCopiesWhatTheFrameDrewAndAnswersMinusOneWhenIdle) {
    TPlatform* platform = Build();
    platform->Present(-1, -1);  // the build's full-window copy
    ASSERT_TRUE(Frame(platform, 10, 10, 20, 20, 0xFF336699));
    EXPECT_FALSE(platform->Data()->inScene);
    auto front = platform->GetContext()->GetFrontSurface();
    EXPECT_EQ(front->Pixel(15, 15), 0u);
    EXPECT_GE(platform->Present(-1, -1).first, 0);
    EXPECT_EQ(front->Pixel(15, 15), 0xFF336699u);
    EXPECT_EQ(front->Pixel(20, 20), 0u);
    EXPECT_EQ(platform->Present(-1, -1).first, -1);

    // The window shows the copied front buffer at the next frame's end.
    int shown = host.window.framesPresented;
    ASSERT_TRUE(Frame(platform, 0, 0, 1, 1, 0xFFFFFFFF));
    EXPECT_EQ(host.window.framesPresented, shown + 1);
}

TEST_F(DisplayFrameTest, OverlappingDirtyRectanglesAreCopiedAsOneBox) {
    TPlatform* platform = Build();
    platform->Present(-1, -1);
    auto frame = [&](std::vector<TRect> fills) {
        ASSERT_TRUE(platform->BeginDraw(true));
        for (const TRect& r : fills) {
            platform::video::TLVertex quad[4] = {{r.left - 0.5f, r.top - 0.5f, 0.1f, 0.5f, 0xFFFFFFFF, 0, 0, 0},
                                                 {r.right - 0.5f, r.top - 0.5f, 0.1f, 0.5f, 0xFFFFFFFF, 0, 0, 0},
                                                 {r.right - 0.5f, r.bottom - 0.5f, 0.1f, 0.5f, 0xFFFFFFFF, 0, 0, 0},
                                                 {r.left - 0.5f, r.bottom - 0.5f, 0.1f, 0.5f, 0xFFFFFFFF, 0, 0, 0}};
            platform->DrawVertices(platform::video::prim::kTriangleFan, platform::video::fvf::kTLVertex, quad, 4);
        }
        platform->EndDraw(true);
    };
    frame({TRect(0, 0, 40, 40), TRect(10, 10, 50, 40)});
    EXPECT_EQ(platform->Present(-1, -1).first, 1);
    frame({TRect(0, 0, 2, 2), TRect(60, 40, 62, 42)});
    EXPECT_EQ(platform->Present(-1, -1).first, 2);
    EXPECT_EQ(platform->GetContext()->GetFrontSurface()->Pixel(61, 41), 0xFFFFFFFFu);
    EXPECT_EQ(platform->GetContext()->GetFrontSurface()->Pixel(30, 41), 0u);
}

TEST_F(DisplayFrameTest, FullScreenFramesFlipAtTheirEnd) {
    TPlatform* platform = Make();
    platform->SetDisplay(640, 480, true, false, false, false);
    ASSERT_TRUE(platform->IsFullScreen());
    int shown = host.window.framesPresented;
    ASSERT_TRUE(Frame(platform, 10, 10, 20, 20, 0xFF336699));
    EXPECT_EQ(platform->GetContext()->GetFrontSurface()->Pixel(15, 15), 0xFF336699u);
    EXPECT_EQ(host.window.framesPresented, shown + 1);
    EXPECT_EQ(platform->Present(-1, -1).first, -1);
    // The back buffer keeps the frame for the next one to build on.
    EXPECT_EQ(platform->Data()->backSurface->Pixel(15, 15), 0xFF336699u);
    EXPECT_TRUE(platform->IsFrameDone());
    platform->GetContext()->GetFrontSurface()->SetStillDrawing(1);
    EXPECT_FALSE(platform->IsFrameDone());
    platform->GetContext()->GetFrontSurface()->SetStillDrawing(1);
    EXPECT_FALSE(platform->BeginDraw(true));  // the last flip is still pending: the frame is skipped
    EXPECT_TRUE(platform->BeginDraw(true));
    platform->EndDraw(true);
}

TEST_F(DisplayFrameTest, BrokenOrBackgroundDisplaysDrawNothing) {
    TPlatform* platform = Build();
    EXPECT_TRUE(platform->IsPresentEnabled());
    platform->MarkDirectXBroken();
    EXPECT_FALSE(platform->IsPresentEnabled());
    EXPECT_FALSE(platform->BeginDraw(true));
    EXPECT_EQ(GetConfig("dxbroken"), TString("1"));
    platform->EndDraw(true);  // without a begun frame: nothing

    TPlatform::Destroy();
    platform = Build();
    LoseDevice(platform);
    host.focus = false;
    EXPECT_FALSE(platform->BeginDraw(true));
    EXPECT_FALSE(platform->Data()->directXBroken);
    host.focus = true;
    EXPECT_FALSE(platform->BeginDraw(true));
    EXPECT_TRUE(platform->Data()->directXBroken);
}

TEST_F(DisplayFrameTest, ALossOnTheFirstFrameRebuildsTheDisplay) {
    TPlatform* platform = Build();
    std::shared_ptr<TTexture> texture = TTexture::CreateRenderTarget(16, 16, true);
    ASSERT_NE(texture, nullptr);
    auto surfaceOf = [&] { return dynamic_cast<TDxTextureData&>(texture->GetTextureData()).GetSurface(); };
    std::shared_ptr<platform::video::Surface> before = surfaceOf();
    int restoresBefore = host.restores;
    ASSERT_TRUE(platform->BeginDraw(true));
    LoseDevice(platform);
    platform->EndDraw(true);
    EXPECT_TRUE(Logged("TPlatform::EndDraw: DDERR_SURFACELOST on UpdateFrame or EndScene"));
    EXPECT_TRUE(Logged("TPlatformData::Restore: Working count too small (1). Calling SetDisplay()"));
    EXPECT_EQ(CountLogged("Device identifier:"), 2);
    EXPECT_TRUE(platform->Data()->displayReady);
    EXPECT_GT(host.restores, restoresBefore);
    EXPECT_TRUE(Frame(platform, 0, 0, 4, 4, 0xFFFFFFFF));
    // The texture was released and made again on the new display.
    ASSERT_NE(surfaceOf(), nullptr);
    EXPECT_NE(surfaceOf(), before);
    EXPECT_EQ(surfaceOf()->IsLost(), platform::video::kOk);
    uint32_t* pixels;
    int pitch;
    EXPECT_TRUE(texture->Lock(&pixels, &pitch));
    texture->Unlock();
}

TEST_F(DisplayFrameTest, ALossAfterThreeFramesRestoresTheSurfacesInPlace) {
    TPlatform* platform = Build();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(Frame(platform, 0, 0, 4, 4, 0xFFFFFFFF));
    int restoresBefore = host.restores;
    ASSERT_TRUE(platform->BeginDraw(true));
    LoseDevice(platform);
    platform->EndDraw(true);
    EXPECT_EQ(CountLogged("Device identifier:"), 1);
    EXPECT_EQ(host.restores, restoresBefore + 1);
    EXPECT_EQ(platform->Data()->workingCount, 0u);
    EXPECT_EQ(GetConfig("dxbroken"), TString("0"));
    EXPECT_TRUE(Frame(platform, 0, 0, 4, 4, 0xFFFFFFFF));
}

TEST_F(DisplayFrameTest, AnInactiveApplicationDoesNotRebuild) {
    TPlatform* platform = Build();
    ASSERT_TRUE(platform->BeginDraw(true));
    LoseDevice(platform);
    host.active = false;
    platform->EndDraw(true);
    EXPECT_FALSE(Logged("Working count too small"));
    EXPECT_TRUE(platform->Data()->directXBroken);
    EXPECT_EQ(CountLogged("Device identifier:"), 1);
}

TEST_F(DisplayFrameTest, RestoreFollowsTheCooperativeLevelAnswers) {
    struct Case {
        std::deque<platform::video::Result> answers;
        std::deque<platform::video::Result> restoreAll;
        const char* line;
        int builds;
    };
    const Case cases[] = {
        {{platform::video::kWrongMode}, {}, nullptr, 2},
        {{platform::video::kExclusiveModeAlreadySet}, {}, nullptr, 1},
        {{platform::video::kCurrentlyNotAvailable},
         {},
         "Restore: Test Cooperative level failed. Calling SetDisplay",
         2},
        {{},
         {platform::video::kWrongMode},
         "Restore: RestoreAllSurfaces resulted in DDERR_WRONGMODE. Calling SetDisplay.",
         2},
        {{}, {platform::video::kFail}, "RestoreAllSurfaces failed!", 2},
    };
    for (const Case& c : cases) {
        LogInit(folder.c_str());
        TPlatform* platform = Build();
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(Frame(platform, 0, 0, 4, 4, 0xFFFFFFFF));
        Profile().faults.cooperativeLevel = c.answers;
        Profile().faults.restoreAll = c.restoreAll;
        platform->Data()->Restore();
        if (c.line) {
            EXPECT_TRUE(Logged(c.line)) << c.line;
        }
        EXPECT_EQ(CountLogged("Device identifier:"), c.builds) << (c.line ? c.line : "");
        EXPECT_FALSE(platform->Data()->inRestore);
        TPlatform::Destroy();
    }
}

TEST_F(DisplayFrameTest, RunningOutOfVideoMemoryOnceSwitchesToLowMemoryVideo) {
    // The settings file of an earlier run, with a second name: a file rewritten in place would change
    // under both names, one replaced by a rename only under its own.
    const std::string earlier = "<Settings Earlier=\"1\"/>";
    std::ofstream(folder / "display.xml") << earlier;
    std::filesystem::create_hard_link(folder / "display.xml", folder / "display-earlier.xml");
    TPlatform* platform = Build();
    ASSERT_TRUE(platform->BeginDraw(true));
    platform->Data()->device->FailDraws(1);
    platform::video::TLVertex point{1, 1, 0.1f, 0.5f, 0xFFFFFFFF, 0, 0, 0};
    platform->DrawVertices(platform::video::prim::kPointList, platform::video::fvf::kTLVertex, &point, 1);
    platform->EndDraw(true);
    EXPECT_TRUE(Logged("DrawVertices out of video memory"));
    EXPECT_EQ(CountLogged("OutOfVideoMemory triggered!"), 1);
    EXPECT_TRUE(platform->Data()->lowMemoryVideo);
    EXPECT_TRUE(platform->Data()->reconfigurePending);
    platform->OnOutOfVideoMemory();
    EXPECT_EQ(CountLogged("OutOfVideoMemory triggered!"), 1);
    std::ifstream held(folder / "display-earlier.xml");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(held), {}), earlier);

    // The next build shows the reconfiguring box and runs full screen at 16 bits.
    platform->SetDisplay(800, 600, false, true, false, false);
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.back().rfind("Reconfiguring: Your video card doesn't have enough memory", 0), 0u);
    EXPECT_TRUE(platform->IsFullScreen());
    EXPECT_EQ(platform->GetOption("16bitmode"), TString("1"));

    // The setting written to "common:display.xml" holds for the next run.
    TPlatform::Destroy();
    EXPECT_EQ(CountLogged("Low memory video card setting enabled!"), 0);
    EXPECT_TRUE(Make()->Data()->lowMemoryVideo);
    EXPECT_EQ(CountLogged("Low memory video card setting enabled!"), 1);
}

TEST_F(DisplayFrameTest, RestoresWhileBrokenOrRestoringOnlyMarkTheBreak) {
    TPlatform* platform = Build();
    int restores = host.restores;
    platform->MarkDirectXBroken();
    platform->RestoreAssets();
    EXPECT_TRUE(Logged("RestoreAssets: DX broken"));
    EXPECT_EQ(host.restores, restores);

    platform->Data()->directXBroken = false;
    platform->Data()->inRestore = true;
    uint32_t slept = host.slept;
    platform->Data()->Restore();
    EXPECT_TRUE(platform->Data()->directXBroken);
    EXPECT_EQ(host.slept, slept + 50);
    EXPECT_EQ(CountLogged("Device identifier:"), 1);
}

TEST_F(DisplayFrameTest, BrokenMarksAreThrottled) {
    TPlatform* platform = Build();
    platform->MarkDirectXBroken();
    uint32_t first = platform->Data()->brokenTime;
    host.now += 200;
    platform->MarkDirectXBrokenThrottled();
    EXPECT_EQ(platform->Data()->brokenTime, first);
    host.now += 100;
    platform->MarkDirectXBrokenThrottled();
    EXPECT_EQ(platform->Data()->brokenTime, first + 300);
}

TEST_F(DisplayFrameTest, RefusedViewportsAreLoggedAndRolledBack) {
    TPlatform* platform = Build();
    platform->SetViewport(4, 4, 20, 20);
    int l, t, r, b;
    platform->GetViewport(&l, &t, &r, &b);
    EXPECT_EQ(TRect(l, t, r, b), TRect(4, 4, 20, 20));
    platform->SetViewport(10, 10, 10, 30);  // empty: the device refuses it
    EXPECT_TRUE(Logged("Bad viewport: 10, 10, 10, 30"));
    platform->GetViewport(&l, &t, &r, &b);
    EXPECT_EQ(TRect(l, t, r, b), TRect(4, 4, 20, 20));
}

TEST_F(DisplayFrameTest, BlendModesSetTheirFactors) {
    TPlatform* platform = Build();
    platform::video::Device* device = platform->Data()->device;
    struct Case {
        int mode;
        uint32_t src, dest, enabled;
    };
    const Case cases[] = {
        {BlendAlpha, platform::video::blend::kSrcAlpha, platform::video::blend::kInvSrcAlpha, 1},
        {BlendAdditive, platform::video::blend::kSrcAlpha, platform::video::blend::kOne, 1},
        {BlendSubtractive, platform::video::blend::kZero, platform::video::blend::kInvSrcColor, 1},
        {BlendMultiply, platform::video::blend::kZero, platform::video::blend::kSrcColor, 1},
        {BlendOpaque, platform::video::blend::kZero, platform::video::blend::kSrcColor,
         0},  // factors left as they were
    };
    for (const Case& c : cases) {
        platform->SetBlendMode(c.mode);
        EXPECT_EQ(device->GetRenderState(platform::video::rs::kSrcBlend), c.src) << c.mode;
        EXPECT_EQ(device->GetRenderState(platform::video::rs::kDestBlend), c.dest) << c.mode;
        EXPECT_EQ(device->GetRenderState(platform::video::rs::kAlphaBlendEnable), c.enabled) << c.mode;
    }
    platform->SetBlendMode(7);
    EXPECT_EQ(platform->Data()->blendMode, 7);
    EXPECT_EQ(device->GetRenderState(platform::video::rs::kAlphaBlendEnable), 0u);
}

}  // namespace
