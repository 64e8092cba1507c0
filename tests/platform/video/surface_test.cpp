#include <gtest/gtest.h>

#include <algorithm>

#include "platform/video/pixel_memory.h"
#include "platform/video/surface.h"

namespace platform::video {
namespace {

TEST(PixelFormatTest, PacksByTruncationAndReadsBackByShifting) {
  struct Case {
    const PixelFormat* format;
    uint32_t argb, raw, readBack;
  };
  const Case cases[] = {
      {&kA8R8G8B8, 0x80FF4020, 0x80FF4020, 0x80FF4020},
      {&kX8R8G8B8, 0x80FF4020, 0x00FF4020, 0xFFFF4020},
      {&kR5G6B5, 0x12FF8307, 0xFC00, 0xFFF88000},
      {&kR5G6B5, 0xFF0F1F3F, 0x08E7, 0xFF081C38},
      {&kA4R4G4B4, 0xFFFFFFFF, 0xFFFF, 0xF0F0F0F0},
      {&kA4R4G4B4, 0xF7102030, 0xF123, 0xF0102030},
      {&kA1R5G5B5, 0x7FFFFFFF, 0x7FFF, 0x00F8F8F8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.argb << " bits " << c.format->bits);
    EXPECT_EQ(PackColor(*c.format, c.argb), c.raw);
    EXPECT_EQ(UnpackColor(*c.format, c.raw), c.readBack);
  }
}

TEST(SurfaceTest, LockGivesPitchWiderThanTheRowAndAddressesTheRectangle) {
  Surface s(5, 4, kA8R8G8B8, caps::kOffscreenPlain);
  uint8_t* bits = nullptr;
  int pitch = 0;
  Rect r{2, 1, 4, 3};
  ASSERT_EQ(s.Lock(&r, &bits, &pitch), kOk);
  EXPECT_GE(pitch, 20);
  EXPECT_EQ(pitch % 4, 0);
  reinterpret_cast<uint32_t*>(bits + pitch)[1] = 0xFF123456;  // (3, 2)
  EXPECT_EQ(s.Unlock(), kOk);
  EXPECT_EQ(s.Pixel(3, 2), 0xFF123456u);

  Rect outside{3, 3, 6, 4};
  EXPECT_EQ(s.Lock(&outside, &bits, &pitch), kInvalidParams);
  s.MarkLost();
  EXPECT_EQ(s.Lock(nullptr, &bits, &pitch), kSurfaceLost);
  EXPECT_EQ(s.ColorFill(nullptr, 0), kSurfaceLost);
  EXPECT_EQ(s.Restore(), kOk);
  EXPECT_EQ(s.Lock(nullptr, &bits, &pitch), kOk);
}

TEST(SurfaceTest, ColorFillWritesTheRawValueAndRecordsDirtyRectangles) {
  Surface s(8, 8, kR5G6B5, caps::kOffscreenPlain);
  Rect r{1, 2, 4, 5};
  ASSERT_EQ(s.ColorFill(&r, 0x07E0), kOk);
  EXPECT_EQ(s.RawPixel(1, 2), 0x07E0u);
  EXPECT_EQ(s.RawPixel(3, 4), 0x07E0u);
  EXPECT_EQ(s.RawPixel(4, 4), 0u);
  EXPECT_EQ(s.RawPixel(3, 5), 0u);
  Rect inner{2, 3, 3, 4};
  s.ColorFill(&inner, 0);  // inside the last rectangle: not listed again
  EXPECT_EQ(s.TakeDirty(), std::vector<Rect>{r});
  EXPECT_TRUE(s.Dirty().empty());
}

TEST(SurfaceTest, BltCopiesStretchesAndConverts) {
  Surface src(2, 2, kA8R8G8B8, caps::kOffscreenPlain);
  src.SetRawPixel(0, 0, 0xFF102030);
  src.SetRawPixel(1, 0, 0xFF405060);
  src.SetRawPixel(0, 1, 0xFF708090);
  src.SetRawPixel(1, 1, 0x80A0B0C0);

  Surface same(4, 4, kA8R8G8B8, caps::kOffscreenPlain);
  Rect at{1, 1, 3, 3};
  ASSERT_EQ(same.Blt(&at, src, nullptr), kOk);
  EXPECT_EQ(same.Pixel(1, 1), 0xFF102030u);
  EXPECT_EQ(same.Pixel(2, 2), 0x80A0B0C0u);

  Surface stretched(4, 4, kA8R8G8B8, caps::kOffscreenPlain);
  ASSERT_EQ(stretched.Blt(nullptr, src, nullptr), kOk);
  EXPECT_EQ(stretched.Pixel(1, 1), 0xFF102030u);
  EXPECT_EQ(stretched.Pixel(2, 1), 0xFF405060u);
  EXPECT_EQ(stretched.Pixel(3, 3), 0x80A0B0C0u);

  Surface sixteen(2, 2, kA4R4G4B4, caps::kOffscreenPlain);
  ASSERT_EQ(sixteen.Blt(nullptr, src, nullptr), kOk);
  EXPECT_EQ(sixteen.RawPixel(1, 1), 0x8ABCu);
  EXPECT_EQ(sixteen.Pixel(1, 1), 0x80A0B0C0u);
}

TEST(SurfaceTest, FlipExchangesWithTheBackBufferAndReportsPendingFlips) {
  auto front = std::make_shared<Surface>(2, 2, kA8R8G8B8, caps::kPrimarySurface | caps::kFlip);
  auto back = std::make_shared<Surface>(2, 2, kA8R8G8B8, caps::kBackBuffer | caps::k3DDevice);
  front->AttachBackBuffer(back);
  back->ColorFill(nullptr, 0xFF00FF00);
  front->SetStillDrawing(2);
  EXPECT_EQ(front->GetFlipStatus(), kWasStillDrawing);
  EXPECT_EQ(front->GetFlipStatus(), kWasStillDrawing);
  EXPECT_EQ(front->GetFlipStatus(), kOk);
  ASSERT_EQ(front->Flip(), kOk);
  EXPECT_EQ(front->Pixel(1, 1), 0xFF00FF00u);
}

// Every byte of a surface, as a pointer into its rows reads it.
bool AllBytesAre(const Surface& s, uint8_t value) {
  for (int y = 0; y < s.Height(); ++y)
    for (int i = 0; i < s.Pitch(); ++i)
      if (s.Row(y)[i] != value) return false;
  return true;
}

// Pixels are made on first use: whatever comes first (a read, a partial fill, a flip of a back buffer never drawn
// to), a surface reads as zero where nothing was drawn and a z-buffer as depth 1.
// Small blocks come from the heap, large ones are mapped on their own: both arrive zeroed, whole and writable.
TEST(SurfaceTest, PixelMemoryArrivesZeroedAtEverySize) {
  for (size_t words : {size_t{0}, size_t{1}, size_t{1000}, (size_t{1} << 18) - 1, size_t{1} << 18, size_t{5} << 20}) {
    PixelWords block = AllocatePixelWords(words);
    ASSERT_NE(block, nullptr) << words;
    EXPECT_TRUE(std::all_of(block.get(), block.get() + words, [](uint32_t word) { return word == 0; })) << words;
    if (words > 0) block[words - 1] = 0xFFFFFFFF;
  }
}

TEST(SurfaceTest, SurfacesReadZeroBeforeAnyDraw) {
  struct Case {
    const char* name;
    PixelFormat format;
    uint32_t caps;
  } cases[] = {{"offscreen", kA8R8G8B8, caps::kOffscreenPlain},
               {"render target", kA8R8G8B8, caps::kTexture | caps::k3DDevice | caps::kVideoMemory},
               {"16-bit render target", kR5G6B5, caps::kTexture | caps::k3DDevice},
               {"back buffer", kX8R8G8B8, caps::kBackBuffer | caps::k3DDevice}};
  for (const Case& c : cases) {
    Surface read(64, 48, c.format, c.caps);
    EXPECT_TRUE(AllBytesAre(read, 0)) << c.name;
    Surface filled(64, 48, c.format, c.caps);
    Rect corner{60, 44, 64, 48};
    ASSERT_EQ(filled.ColorFill(&corner, 0xFFFF), kOk) << c.name;
    EXPECT_EQ(filled.RawPixel(0, 0), 0u) << c.name;
    EXPECT_EQ(filled.RawPixel(59, 47), 0u) << c.name;
    EXPECT_EQ(filled.RawPixel(63, 47), 0xFFFFu) << c.name;
  }

  // A copy from a surface never drawn to reads as zero, whether or not the destination was drawn to.
  Surface blank(16, 8, kA8R8G8B8, caps::kOffscreenPlain);
  Surface untouched(16, 8, kA8R8G8B8, caps::kOffscreenPlain);
  ASSERT_EQ(untouched.Blt(nullptr, blank, nullptr), kOk);
  EXPECT_TRUE(AllBytesAre(untouched, 0));
  Surface drawn(16, 8, kA8R8G8B8, caps::kOffscreenPlain);
  drawn.ColorFill(nullptr, 0xFF102030);
  Rect middle{4, 2, 12, 6};
  ASSERT_EQ(drawn.Blt(&middle, blank, &middle), kOk);
  EXPECT_EQ(drawn.RawPixel(4, 2), 0u);
  EXPECT_EQ(drawn.RawPixel(3, 2), 0xFF102030u);

  Surface depth(8, 4, PixelFormat{32, 0, 0, 0, 0}, caps::kZBuffer);
  EXPECT_EQ(depth.Depth(3)[7], 1.0f);
  EXPECT_EQ(depth.Depth(0)[0], 1.0f);

  auto front = std::make_shared<Surface>(4, 4, kA8R8G8B8, caps::kPrimarySurface | caps::kFlip);
  front->ColorFill(nullptr, 0xFF102030);
  front->AttachBackBuffer(std::make_shared<Surface>(4, 4, kA8R8G8B8, caps::kBackBuffer | caps::k3DDevice));
  ASSERT_EQ(front->Flip(), kOk);
  EXPECT_TRUE(AllBytesAre(*front, 0)) << "the front takes the picture of a back buffer never drawn to";
  front->BackBuffer()->SetRawPixel(3, 3, 0xFF405060);
  ASSERT_EQ(front->Flip(), kOk);
  EXPECT_EQ(front->Pixel(3, 3), 0xFF405060u);
  EXPECT_EQ(front->Pixel(0, 0), 0u);
}

}  // namespace
}  // namespace platform::video
