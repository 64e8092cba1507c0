#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/video/profile.h"

namespace platform::video {
namespace {

class ProfileTest : public testing::Test {
 protected:
  void SetUp() override { SetActiveProfile(HardwareProfile::Standard(1024, 768)); }
  void TearDown() override { SetActiveProfile(HardwareProfile::Standard()); }
};

TEST_F(ProfileTest, AdaptersOpenByIndexAndRefuseOnRequest) {
  std::shared_ptr<DisplayObject> display;
  EXPECT_EQ(DisplayObject::Create(1, &display), kFail);
  ActiveProfile().adapters[0].refuseCreate = true;
  EXPECT_EQ(DisplayObject::Create(0, &display), kFail);
  EXPECT_EQ(display, nullptr);
  ActiveProfile().adapters[0].refuseCreate = false;
  ASSERT_EQ(DisplayObject::Create(0, &display), kOk);
  EXPECT_EQ(display->GetDisplayMode().width, 1024);
  EXPECT_EQ(display->SetDisplayMode(800, 600, 24), kInvalidParams);
  ASSERT_EQ(display->SetDisplayMode(800, 600, 16), kOk);
  EXPECT_EQ(display->GetDisplayMode().bits, 16);
}

// Sizes as "WxH" in the order listed, each at 16 and then 32 bits.
std::vector<std::string> Sizes(const std::vector<DisplayMode>& modes) {
  std::vector<std::string> sizes;
  for (size_t i = 0; i + 1 < modes.size(); i += 2) {
    EXPECT_EQ(modes[i].bits, 16);
    EXPECT_EQ(modes[i + 1].bits, 32);
    EXPECT_EQ(modes[i].width, modes[i + 1].width);
    sizes.push_back(std::to_string(modes[i].width) + "x" + std::to_string(modes[i].height));
  }
  EXPECT_EQ(modes.size() % 2, 0u);
  return sizes;
}

TEST_F(ProfileTest, ADesktopOffersItsReportedSizesItsOwnAndTheUsualSizesThatFit) {
  struct Case {
    const char* name;
    int width, height;
    std::vector<DisplayMode> reported;
    std::vector<std::string> sizes;
  };
  const Case cases[] = {
      {"only its own size", 1024, 768, {{1024, 768, 32, 60}}, {"1024x768", "640x480", "800x600"}},
      {"nothing reported", 1920, 1080, {}, {"640x480", "800x600", "1024x768", "1280x1024", "1920x1080"}},
      {"reported twice at two rates", 800, 600, {{800, 600, 32, 75}, {800, 600, 32, 60}, {640, 480, 32, 60}},
       {"800x600", "640x480"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Sizes(DesktopModes(c.width, c.height, 60, c.reported)), c.sizes);
  }
}

TEST_F(ProfileTest, VideoMemoryRunsOutAndInjectedFaultsAreConsumed) {
  ActiveProfile().adapters[0].videoMemory = 3u << 20;
  std::shared_ptr<DisplayObject> display;
  ASSERT_EQ(DisplayObject::Create(0, &display), kOk);
  std::shared_ptr<Surface> a, b, sys;
  SurfaceRequest big{caps::kOffscreenPlain | caps::k3DDevice, 800, 600, &kA8R8G8B8};
  ASSERT_EQ(display->CreateSurface(big, &a), kOk);
  EXPECT_EQ(display->CreateSurface(big, &b), kOutOfVideoMemory);
  SurfaceRequest inSystem{caps::kOffscreenPlain | caps::kSystemMemory, 800, 600, &kA8R8G8B8};
  EXPECT_EQ(display->CreateSurface(inSystem, &sys), kOk);
  a.reset();
  EXPECT_EQ(display->CreateSurface(big, &b), kOk);

  ActiveProfile().faults.refuseSurfaces = 1;
  SurfaceRequest small{caps::kTexture, 4, 4, &kA4R4G4B4};
  std::shared_ptr<Surface> t;
  EXPECT_EQ(display->CreateSurface(small, &t), kFail);
  EXPECT_EQ(display->CreateSurface(small, &t), kOk);
  EXPECT_EQ(t->Format(), kA4R4G4B4);
}

TEST_F(ProfileTest, FlipChainsLossAndRestore) {
  std::shared_ptr<DisplayObject> display;
  ASSERT_EQ(DisplayObject::Create(0, &display), kOk);
  ASSERT_EQ(display->SetDisplayMode(800, 600, 32), kOk);
  std::shared_ptr<Surface> front;
  SurfaceRequest chain{caps::kPrimarySurface | caps::kFlip | caps::kComplex | caps::k3DDevice};
  chain.backBuffers = 1;
  ASSERT_EQ(display->CreateSurface(chain, &front), kOk);
  ASSERT_NE(front->BackBuffer(), nullptr);
  EXPECT_EQ(front->Width(), 800);
  EXPECT_EQ(front->BackBuffer()->Format(), kA8R8G8B8);

  std::unique_ptr<Device> device;
  ActiveProfile().faults.refuseAntialiasDevices = true;
  EXPECT_EQ(display->CreateDevice(DeviceDescription(), front->BackBuffer(), true, &device), kFail);
  ASSERT_EQ(display->CreateDevice(DeviceDescription(), front->BackBuffer(), false, &device), kOk);

  display->LoseSurfaces();
  EXPECT_EQ(front->IsLost(), kSurfaceLost);
  EXPECT_EQ(device->BeginScene(), kSurfaceLost);
  ActiveProfile().faults.cooperativeLevel = {kWrongMode};
  ActiveProfile().faults.restoreAll = {kWrongMode};
  EXPECT_EQ(display->TestCooperativeLevel(), kWrongMode);
  EXPECT_EQ(display->TestCooperativeLevel(), kOk);
  EXPECT_EQ(display->RestoreAllSurfaces(), kWrongMode);
  EXPECT_EQ(display->RestoreAllSurfaces(), kOk);
  EXPECT_EQ(front->BackBuffer()->IsLost(), kOk);
  EXPECT_EQ(device->BeginScene(), kOk);
}

TEST_F(ProfileTest, RecordsCarryTheCapabilityWordsAtTheirOffsets) {
  std::shared_ptr<DisplayObject> display;
  ASSERT_EQ(DisplayObject::Create(0, &display), kOk);
  std::vector<uint8_t> caps = display->CapsRecord();
  ASSERT_EQ(caps.size(), 380u);
  EXPECT_EQ(caps[0], 0x7C);
  EXPECT_EQ(caps[1], 0x01);
  DeviceDescription description;
  description.maxTextureWidth = 1024;
  std::vector<uint8_t> record = description.Record();
  ASSERT_EQ(record.size(), 236u);
  EXPECT_EQ(record[152] | record[153] << 8, 1024);
}

}  // namespace
}  // namespace platform::video
