#include <thread>

#include "engine/graphics/texture.h"
#include "tests/engine/graphics/display_fixture.h"

namespace {

TEST_F(DisplayTest, WindowedBuildReadiesTheDeviceWithTheDefaultState) {
    TPlatform* platform = Make();
    platform->SetDisplay(800, 600, false, false, false, false);
    TPlatformData* d = platform->Data();
    ASSERT_TRUE(d->displayReady);
    EXPECT_FALSE(platform->IsFullScreen());
    EXPECT_EQ(d->modeRect, TRect(0, 0, 800, 600));
    EXPECT_EQ(GetConfig("dxbroken"), TString("0"));
    EXPECT_EQ(GetConfig("monitorfrequency"), TString("60"));
    EXPECT_EQ(platform->GetOption("16bitmode"), TString("0"));
    EXPECT_EQ(host.window.width, 800);
    platform::video::Device* device = d->device;
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetRenderState(platform::video::rs::kAlphaRef), 1u);
    EXPECT_EQ(device->GetRenderState(platform::video::rs::kAlphaFunc), platform::video::cmp::kGreaterEqual);
    EXPECT_EQ(device->GetRenderState(platform::video::rs::kSrcBlend), platform::video::blend::kSrcAlpha);
    EXPECT_EQ(device->GetRenderState(platform::video::rs::kDestBlend), platform::video::blend::kInvSrcAlpha);
    EXPECT_EQ(device->GetTextureStageState(0, platform::video::tss::kAlphaOp), platform::video::top::kModulate);
    EXPECT_EQ(device->GetMaterial().ambient.r, 128 / 255.0f);
    EXPECT_TRUE(Logged("Device identifier:  \n  Driver: 'alembria-soft'"));
    EXPECT_TRUE(Logged("DDCAPS: 7C010000"));
    EXPECT_TRUE(Logged("D3DDESC: "));
    EXPECT_EQ(host.releases, 1);
}

TEST_F(DisplayTest, WindowedRequestsBecomeFullScreenWhenAWindowCannotWork) {
    struct Case {
        const char* name;
        int desktopWidth, desktopHeight, colors;
        uint64_t videoMemory;
        const char* line;
    };
    const Case cases[] = {
        {"palettised", 1280, 1024, 256, 256u << 20, "SetDisplay Forcing Fullscreen (PALLETTED)"},
        // Frame, edge and caption are added to the client size.
        {"same size as the desktop", 800, 600, -1, 256u << 20, "SetDisplay Forcing Fullscreen (SMALL)"},
        {"little video memory", 1280, 1024, -1, 8u << 20, "SetDisplay Forcing Fullscreen (MEMORY)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::video::SetActiveProfile(platform::video::HardwareProfile::Standard(c.desktopWidth, c.desktopHeight));
        Profile().desktopColors = c.colors;
        Profile().adapters[0].videoMemory = c.videoMemory;
        LogInit(folder.c_str());
        TPlatform* platform = Make();
        platform->SetDisplay(800, 600, false, false, false, false);
        EXPECT_TRUE(Logged(c.line));
        EXPECT_TRUE(platform->IsFullScreen());
        EXPECT_TRUE(platform->Data()->displayReady);
        EXPECT_FALSE(platform->SetFullscreen(false));
        TPlatform::Destroy();
    }
}

TEST_F(DisplayTest, LowMemoryVideoFromTheSettingsFileForcesSixteenBitFullScreen) {
    std::ofstream(folder / "display.xml") << "<Settings LowMemoryVideo=\"1\"/>";
    TPlatform* platform = Make();
    EXPECT_TRUE(Logged("Low memory video card setting enabled!"));
    platform->SetDisplay(800, 600, false, false, false, false);
    EXPECT_TRUE(Logged("SetDisplay Forcing Fullscreen (MEMORY)"));
    EXPECT_TRUE(Logged("Created screen at 16 bpp."));
    EXPECT_EQ(platform->GetOption("16bitmode"), TString("1"));
    EXPECT_FALSE(platform->SetFullscreen(false));
}

TEST_F(DisplayTest, WithoutAWayToFullScreenTheGameExplainsAndEnds) {
    struct Case {
        const char* name;
        bool hosted, parent, lowMemory;
        int colors, desktopWidth;
        const char* text;
    };
    const Case cases[] = {
        {"hosted, low memory", true, false, true, -1, 1280, "You cannot run this application at your current screen resolution or bit depth (out of memory)."},
        {"host window, palettised", false, true, false, 256, 1280, "You cannot run this application when your video mode is 8 bits or less."},
        {"host window, small desktop", false, true, false, -1, 800, "You cannot run this application at your current screen resolution. Change"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::video::SetActiveProfile(platform::video::HardwareProfile::Standard(c.desktopWidth, 600));
        Profile().desktopColors = c.colors;
        host.hosted = c.hosted;
        host.parent = c.parent;
        host.boxes.clear();
        host.exits.clear();
        TPlatform* platform = Make();
        platform->Data()->lowMemoryVideo = c.lowMemory;
        platform->SetDisplay(800, 600, false, true, false, false);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].find(c.text), 7u) << host.boxes[0];
        EXPECT_EQ(host.exits, std::vector<int>{-1});
        EXPECT_FALSE(platform->Data()->displayReady);
        TPlatform::Destroy();
    }
}

TEST_F(DisplayTest, UnchangedModeWithoutForceDoesNothingAndReleasesTheMutex) {
    TPlatform* platform = Make();
    platform->SetDisplay(800, 600, false, false, false, false);
    platform->SetDisplay(800, 600, false, false, false, false);
    EXPECT_EQ(CountLogged("Device identifier:"), 1);
    EXPECT_EQ(host.releases, 1);
    bool locked = false;
    std::thread([&] {
        auto& mutex = platform->GetContext()->Mutex();
        locked = mutex.try_lock();
        if (locked) mutex.unlock();
    }).join();
    EXPECT_TRUE(locked);
    EXPECT_FALSE(platform->Data()->inSetDisplay);
    platform->SetDisplay(800, 600, false, true, false, false);
    EXPECT_EQ(CountLogged("Device identifier:"), 2);
}

TEST_F(DisplayTest, ADeviceRefusingAntialiasingIsCreatedAgainWithoutIt) {
    Profile().faults.refuseAntialiasDevices = true;
    TPlatform* platform = Make();
    platform->SetOption("hint_antialias", "1");
    platform->SetOption("antialias", "1");
    EXPECT_EQ(platform->GetOption("antialias"), TString("1"));
    platform->SetDisplay(800, 600, false, false, false, false);
    EXPECT_TRUE(platform->Data()->displayReady);
    EXPECT_EQ(platform->GetOption("antialias"), TString("0"));
    EXPECT_EQ(platform->GetOption("hint_antialias"), TString("0"));
    EXPECT_EQ(platform->GetOption("new_render_blend"), TString(""));
}

TEST_F(DisplayTest, TwoFailedBuildsWhileActiveEndWithFallbackFailed) {
    Profile().adapters[0].refuseCreate = true;
    TPlatform* platform = Make();
    platform->SetDisplay(800, 600, true, false, false, false);
    EXPECT_TRUE(Logged("Failed to create a DirectDraw device after trying all GUIDs"));
    EXPECT_TRUE(Logged("ERROR FALLBACK FAILED"));
    EXPECT_EQ(host.quits, 1);
    EXPECT_TRUE(platform->Data()->fatal);
    EXPECT_FALSE(platform->Data()->displayReady);
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.back(), "Error: Failed to initialize full screen mode. Your video card is not supported. "
                                 "Trying to run in a window.");
    // A later build ends the process.
    platform->SetDisplay(640, 480, true, true, false, false);
    EXPECT_EQ(host.exits, std::vector<int>{-1});
}

TEST_F(DisplayTest, AFailedBuildInTheBackgroundOnlyMarksDirectXBroken) {
    Profile().adapters[0].refuseCreate = true;
    host.foreground = false;
    TPlatform* platform = Make();
    platform->SetDisplay(800, 600, false, false, false, false);
    EXPECT_TRUE(Logged("SetDisplay marking DirectX Broken: ACTIVE, BACKGROUND"));
    EXPECT_FALSE(Logged("ERROR FALLBACK FAILED"));
    EXPECT_EQ(GetConfig("dxbroken"), TString("1"));
    EXPECT_FALSE(platform->IsDeviceReady());
    EXPECT_EQ(host.quits, 0);
}

TEST_F(DisplayTest, AFailedWindowFallsBackToFullScreen) {
    Profile().faults.refuseSurfaces = 1;  // the windowed front buffer
    TPlatform* platform = Make();
    platform->SetDisplay(800, 600, false, false, false, false);
    EXPECT_EQ(host.boxes, std::vector<std::string>{"Error: Failed to initialize windowed mode. Trying full screen."});
    EXPECT_TRUE(platform->IsFullScreen());
    EXPECT_TRUE(platform->Data()->displayReady);
    EXPECT_FALSE(platform->Data()->fallbackRunning);
}

TEST_F(DisplayTest, FullScreenDepthFollowsTheModesAndTheVideoMemory) {
    struct Case {
        std::vector<int> depths;
        uint64_t videoMemory;
        int asked, chosen;
    };
    const Case cases[] = {
        {{8, 16, 32}, 256u << 20, 32, 32},
        {{8, 24}, 256u << 20, 32, 24},
        {{8, 16, 32}, 8u << 20, 32, 16},
        {{32, 24, 16}, 256u << 20, 15, 16},
    };
    for (const Case& c : cases) {
        platform::video::Adapter& adapter = Profile().adapters[0];
        adapter.modes.clear();
        for (int bits : c.depths) adapter.modes.push_back({800, 600, bits, 60});
        adapter.videoMemory = c.videoMemory;
        CDisplay display;
        ASSERT_EQ(display.CreateFullScreenDisplay(nullptr, 800, 600, c.asked, 0), platform::video::kOk);
        EXPECT_EQ(display.GetDirectDraw()->GetDisplayMode().bits, c.chosen) << c.asked;
        EXPECT_EQ(display.GetDirectDraw()->CooperativeLevel(), 0x11u);
        EXPECT_EQ(display.GetBackBuffer()->Width(), 800);
    }
}

// A desktop that reports only its own size (a virtual X server, a single-mode monitor) still shows the game
// full screen at its own size, at the first try and without a message.
TEST_F(DisplayTest, FullScreenOnADesktopReportingOnlyItsOwnSizeOpensAtTheFirstTry) {
    Profile().adapters[0].modes = platform::video::DesktopModes(1024, 768, 60, {{1024, 768, 32, 60}});
    TPlatform* platform = Make();
    platform->SetDisplay(800, 600, true, false, false, false);
    EXPECT_TRUE(platform->IsFullScreen());
    EXPECT_TRUE(platform->Data()->displayReady);
    EXPECT_TRUE(Logged("Created screen at 32 bpp."));
    EXPECT_FALSE(Logged("Failed to create screen"));
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.releases, 1);
}

TEST_F(DisplayTest, FullScreenTriesTheNextAdapterBeforeGivingUp) {
    platform::video::Adapter second = Profile().adapters[0];
    Profile().adapters[0].refuseModes = true;
    Profile().adapters.push_back(second);
    CDisplay display;
    EXPECT_EQ(display.CreateFullScreenDisplay(nullptr, 800, 600, 32, 0), platform::video::kOk);
    EXPECT_TRUE(Logged("Failed to create screen at 32 bpp."));
    EXPECT_TRUE(Logged("Created screen at 32 bpp."));
    EXPECT_TRUE(host.boxes.empty());

    Profile().adapters[1].refuseCreate = true;
    CDisplay none;
    EXPECT_EQ(none.CreateFullScreenDisplay(nullptr, 800, 600, 32, 0), platform::video::kFail);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].rfind("Error: Sorry, but this product isn't compatible with your display.", 0), 0u);
}

TEST_F(DisplayTest, AnAlphaFrontBufferIsAskedAgainWithoutAlpha) {
    Profile().faults.refuseAlphaFrontBuffers = 1;
    CDisplay display;
    EXPECT_EQ(display.CreateFullScreenDisplay(nullptr, 800, 600, 32, kDisplayFrontAlpha), platform::video::kOk);
    EXPECT_TRUE(Logged("FAILED to create front buffer with DDSCAPS2_ENABLEALPHACHANNEL"));
}

TEST_F(DisplayTest, ContextChecksTheDeviceAndMarksKnownChips) {
    struct Case {
        const char* description;
        int maxTextureHeight;
        bool created;
        const char* brokenIndexedVerts;
    };
    const Case cases[] = {
        {"Intel(R) 82845G Graphics", 2048, true, "1"},
        {"Intel 82810E", 2048, true, "1"},
        {"Intel(R) G 965 Express", 2048, true, "1"},
        {"Intel(R) HD Graphics", 2048, true, ""},
        {"Alembria software display", 512, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        ClearConfig();
        LogInit(folder.c_str());
        platform::video::Adapter& adapter = Profile().adapters[0];
        adapter.identifier.description = c.description;
        adapter.devices[0].maxTextureHeight = c.maxTextureHeight;
        TDXContext context;
        EXPECT_EQ(context.Create(nullptr, false, 640, 480, 32, kContextDefault), c.created);
        EXPECT_EQ(GetConfig("brokenindexedverts"), TString(c.brokenIndexedVerts));
        EXPECT_EQ(Logged("TDXContext::Create - context does not support 1024x1024 textures! Failing!"), !c.created);
        EXPECT_EQ(context.GetDevice() != nullptr, c.created);
    }
}

TEST_F(DisplayTest, ContextRefusesSoftwareOnlyDevices) {
    Profile().adapters[0].devices[0].deviceCaps = 0;
    TDXContext context;
    EXPECT_FALSE(context.Create(nullptr, false, 640, 480, 32, kContextDefault));
    EXPECT_TRUE(Logged("TDXContext::Create failed! Could not find a hardware renderer."));
}

TEST(HexDumpTest, TwoUpperCaseDigitsPerByte) {
    const uint8_t bytes[] = {0x0A, 0xFF, 0x00, 0x7c};
    EXPECT_EQ(HexDump(bytes, 0), "");
    EXPECT_EQ(HexDump(bytes, 1), "0A");
    EXPECT_EQ(HexDump(bytes, 4), "0AFF007C");
}

}  // namespace

namespace {

TEST_F(DisplayTest, AnEmbeddedWindowKeepsItsSize) {
    host.window.SetClientSize(320, 200);
    CDisplay embedded;
    ASSERT_EQ(embedded.CreateWindowedDisplay(&host.window, 640, 480, kDisplayEmbedded), platform::video::kOk);
    EXPECT_EQ(host.window.width, 320);
    CDisplay own;
    ASSERT_EQ(own.CreateWindowedDisplay(&host.window, 640, 480, 0), platform::video::kOk);
    EXPECT_EQ(host.window.width, 640);
    EXPECT_EQ(own.GetBackBuffer()->Width(), 640);
    EXPECT_EQ(own.GetDirectDraw()->CooperativeLevel(), platform::video::cooperative::kNormal);
}

TEST_F(DisplayTest, SwitchingTheRenderTargetFollowsItsSize) {
    TPlatform* platform = Make();
    platform->SetDisplay(64, 48, false, false, false, false);
    TPlatformData* d = platform->Data();
    auto target = std::make_shared<platform::video::Surface>(
        32, 16, platform::video::kA8R8G8B8, platform::video::caps::kTexture | platform::video::caps::k3DDevice);
    EXPECT_TRUE(d->SwitchRenderTarget(d->screenTarget, target));
    EXPECT_EQ(d->modeRect, TRect(0, 0, 32, 16));
    EXPECT_EQ(d->device->GetRenderTarget(), target);
    EXPECT_TRUE(d->SwitchRenderTarget(target, d->screenTarget));
    EXPECT_EQ(d->modeRect, TRect(0, 0, 64, 48));
    EXPECT_EQ(d->device->GetViewport().width, 64);
}

}  // namespace

namespace {

platform::video::PixelFormat SurfaceFormat(const std::shared_ptr<TTexture>& texture) {
    return dynamic_cast<TDxTextureData&>(texture->GetTextureData()).GetSurface()->Format();
}

TEST_F(DisplayTest, ANewAlphaRenderTargetIsTriedOnTheDevice) {
    TPlatform* platform = Make();
    platform->Data()->lowMemoryVideo = true;
    platform->SetDisplay(640, 480, true, false, false, false);
    TPlatformData* d = platform->Data();
    ASSERT_EQ(d->screenTarget->Format().bits, 16);
    platform->SetViewport(10, 10, 100, 100);

    // A device that cannot draw into 16-bit targets with alpha: found when the first one is made.
    d->device->RefuseAlphaTargetsOfDepth(16);
    std::shared_ptr<TTexture> first = TTexture::CreateRenderTarget(16, 16, true);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(SurfaceFormat(first), platform::video::kA4R4G4B4);
    EXPECT_TRUE(Logged("Bad viewport in switching render target!"));
    EXPECT_TRUE(Logged("Failed to SetRenderTarget with bit depth 16"));
    EXPECT_TRUE(d->directXBroken);
    // The device is back on the screen with the caller's viewport.
    EXPECT_EQ(d->device->GetRenderTarget(), d->screenTarget);
    EXPECT_EQ(d->modeRect, TRect(0, 0, 640, 480));
    EXPECT_EQ(d->viewport, TRect(10, 10, 100, 100));
    EXPECT_EQ(SurfaceFormat(TTexture::CreateRenderTarget(16, 16, true)), platform::video::kA8R8G8B8);
    EXPECT_EQ(SurfaceFormat(TTexture::CreateRenderTarget(16, 16, false)), platform::video::kR5G6B5);
}

TEST_F(DisplayTest, ARefusedThirtyTwoBitRenderTargetIsReportedOnce) {
    TPlatform* platform = Make();
    platform->SetDisplay(64, 48, false, false, false, false);
    platform->Data()->device->RefuseAlphaTargetsOfDepth(32);
    ASSERT_NE(TTexture::CreateRenderTarget(8, 8, true), nullptr);
    ASSERT_NE(TTexture::CreateRenderTarget(8, 8, true), nullptr);
    EXPECT_EQ(CountLogged("Failed to SetRenderTarget with alpha bit depth 32"), 1);
    EXPECT_FALSE(platform->Data()->directXBroken);
    EXPECT_EQ(platform->Data()->device->GetViewport().width, 64);
}

}  // namespace

namespace {

TEST_F(DisplayTest, AnEmbeddedDisplayOpensAsATopLevelWindow) {
    host.parent = true;
    TPlatform* platform = Make();
    platform->SetDisplay(64, 48, false, false, false, true);
    EXPECT_TRUE(platform->Data()->displayReady);
    EXPECT_TRUE(Logged("SetDisplay: embedding in the host window is not available; using a top-level window"));
}

TEST_F(DisplayTest, AMipmappedTextureThatComesOutAt16BitsSwitchesTexturesTo16Bits) {
    Profile().adapters[0].devices[0].textureFormats = {platform::video::kA4R4G4B4, platform::video::kR5G6B5};
    TPlatform* platform = Make();
    platform->SetDisplay(64, 48, false, false, false, false);
    ASSERT_EQ(platform->Data()->screenTarget->Format().bits, 32);
    TDxTextureData mipmapped;
    mipmapped.flags = kTextureMipmap;
    ASSERT_TRUE(mipmapped.Create(16, 16, true));
    EXPECT_EQ(mipmapped.GetSurface()->Format(), platform::video::kR5G6B5);
    EXPECT_TRUE(Logged("Created a 16 bit texture when requesting 32 bits. Switching to 16 bit mode"));
    TDxTextureData plain;
    ASSERT_TRUE(plain.Create(16, 16, true));
    EXPECT_EQ(plain.GetSurface()->Format(), platform::video::kR5G6B5);
}

}  // namespace
