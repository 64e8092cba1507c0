#include "engine/graphics/image_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/core/files/file.h"
#include "engine/core/app/system_cursor.h"
#include "tests/engine/graphics/image_fixtures.h"

namespace {

bool DecodeBytes(bool (*decode)(TImageSource&, TDecodedImage*), const Bytes& bytes, TDecodedImage* image) {
    TMemoryImageSource source(bytes.data(), bytes.size());
    return decode(source, image);
}

uint32_t PixelAt(const TDecodedImage& image, int x, int y) { return image.pixels[size_t(y) * image.side + x]; }

// Channels of two pixels differ by at most tolerance (lossy JPEG).
void ExpectNear(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
        EXPECT_LE(std::abs(a - e), tolerance) << std::hex << actual << " vs " << expected;
    }
}

}  // namespace

TEST(ImageSide, IsTheSmallestPowerOfTwoCoveringTheLargerSide) {
    struct Case { int w, h, side; } cases[] = {{1, 1, 1}, {2, 1, 2}, {3, 3, 4}, {300, 200, 512}, {1000, 300, 1024},
                                               {1024, 1, 1024}, {1025, 2, 2048}};
    for (auto c : cases) EXPECT_EQ(ImageSide(c.w, c.h), c.side) << c.w << "x" << c.h;
}

// Each PNG colour type as a 2 x 1 picture, with the two pixels it must decode to.
TEST(DecodePng, ColourTypesBecomeBgraWithTheRightAlphaFlag) {
    png_color_16 transparentGrey{};
    transparentGrey.gray = 7;
    png_color_16 transparentRgb{};
    transparentRgb.red = 1, transparentRgb.green = 2, transparentRgb.blue = 3;

    struct Case {
        const char* name;
        PngPicture picture;
        uint32_t first, second;
        bool hasAlpha;
    };
    std::vector<Case> cases = {
        {"rgb", MakePng(2, 1, PNG_COLOR_TYPE_RGB, 8, {0x10, 0x20, 0x30, 0xFF, 0x80, 0x00}), 0xFF102030, 0xFFFF8000, false},
        {"rgba", MakePng(2, 1, PNG_COLOR_TYPE_RGBA, 8, {1, 2, 3, 0x40, 4, 5, 6, 0}), 0x40010203, 0x00040506, true},
        {"grey", MakePng(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x00, 0x9A}), 0xFF000000, 0xFF9A9A9A, false},
        {"grey 2-bit", MakePng(2, 1, PNG_COLOR_TYPE_GRAY, 2, {1, 3}), 0xFF555555, 0xFFFFFFFF, false},
        {"grey alpha", MakePng(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x11, 0x80, 0x22, 0xFF}), 0x80111111, 0xFF222222,
         true},
        {"rgb 16-bit", MakePng(2, 1, PNG_COLOR_TYPE_RGB, 16, {0x1234, 0x5678, 0x9ABC, 0xFFFF, 0, 0x00FF}), 0xFF12569A,
         0xFFFF0000, false},
    };
    PngPicture palette = MakePng(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1});
    palette.palette = {{0x10, 0x20, 0x30}, {0xA0, 0xB0, 0xC0}};
    cases.push_back({"palette", palette, 0xFF102030, 0xFFA0B0C0, false});
    palette.paletteAlpha = {0x55};  // the second entry lies beyond the chunk: opaque
    cases.push_back({"palette with transparency", palette, 0x55102030, 0xFFA0B0C0, true});
    PngPicture grey = MakePng(2, 1, PNG_COLOR_TYPE_GRAY, 8, {7, 8});
    grey.transparent = transparentGrey;
    cases.push_back({"grey with transparency", grey, 0x00070707, 0xFF080808, true});
    PngPicture rgb = MakePng(2, 1, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 1, 2, 4});
    rgb.transparent = transparentRgb;
    cases.push_back({"rgb with transparency", rgb, 0x00010203, 0xFF010204, true});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDecodedImage image;
        ASSERT_TRUE(DecodeBytes(DecodePng, WritePng(c.picture), &image));
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.height, 1);
        EXPECT_EQ(image.side, 2);
        EXPECT_EQ(image.hasAlpha, c.hasAlpha);
        EXPECT_EQ(PixelAt(image, 0, 0), c.first);
        EXPECT_EQ(PixelAt(image, 1, 0), c.second);
        EXPECT_EQ(PixelAt(image, 0, 1), 0u);  // padding row
    }
}

TEST(DecodePng, PaddingRightAndBelowTheImageIsZero) {
    const int w = 300, h = 200;
    std::vector<uint16_t> samples;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) samples.insert(samples.end(), {uint16_t(x & 0xFF), uint16_t(y), 0x77});
    PngPicture picture = MakePng(w, h, PNG_COLOR_TYPE_RGB, 8, samples);
    for (bool interlaced : {false, true}) {
        picture.interlaced = interlaced;
        TDecodedImage image;
        ASSERT_TRUE(DecodeBytes(DecodePng, WritePng(picture), &image));
        ASSERT_EQ(image.side, 512);
        EXPECT_EQ(PixelAt(image, 0, 0), 0xFF000077u);
        EXPECT_EQ(PixelAt(image, 299, 199), 0xFF2BC777u);
        EXPECT_EQ(PixelAt(image, 123, 45), 0xFF7B2D77u);
        for (int y : {0, 199, 200, 511})
            for (int x : {300, 511}) EXPECT_EQ(PixelAt(image, x, y), 0u) << x << "," << y;
        for (int x : {0, 299}) EXPECT_EQ(PixelAt(image, x, 200), 0u);
    }
}

TEST(DecodePng, OnePixelPictureHasSideOne) {
    TDecodedImage image;
    ASSERT_TRUE(DecodeBytes(DecodePng, WritePng(MakePng(1, 1, PNG_COLOR_TYPE_GRAY, 8, {5})), &image));
    EXPECT_EQ(image.side, 1);
    EXPECT_EQ(PixelAt(image, 0, 0), 0xFF050505u);
}

TEST(DecodePng, TheBuiltInCursorPictureIsAnArrowOnClearGround) {
    TMemoryImageSource source(kSystemCursorData, kSystemCursorSize);
    TDecodedImage image;
    ASSERT_TRUE(DecodePng(source, &image));
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(PixelAt(image, 0, 0), 0xFF000000u);  // the tip's outline
    EXPECT_EQ(PixelAt(image, 1, 2), 0xFFFFFFFFu);  // inside
    EXPECT_EQ(PixelAt(image, 20, 20) >> 24, 0u);   // clear around it
}

TEST(DecodePng, GammaChunkCorrectsTowardsTheScreen) {
    PngPicture picture = MakePng(1, 1, PNG_COLOR_TYPE_GRAY, 8, {128});
    picture.gamma = 1.0;  // linear samples: brighter on a 2.2 screen
    TDecodedImage image;
    ASSERT_TRUE(DecodeBytes(DecodePng, WritePng(picture), &image));
    EXPECT_GT(PixelAt(image, 0, 0) & 0xFF, 128u + 30);
}

TEST(DecodeJpeg, ColourPictureFillsTheImageAndClearsThePadding) {
    const int w = 300, h = 200;
    std::vector<uint8_t> samples;
    for (int i = 0; i < w * h; ++i) samples.insert(samples.end(), {0xC0, 0x40, 0x20});
    TDecodedImage image;
    ASSERT_TRUE(DecodeBytes(DecodeJpeg, WriteJpeg(w, h, 3, samples), &image));
    EXPECT_EQ(image.width, w);
    EXPECT_EQ(image.height, h);
    ASSERT_EQ(image.side, 512);
    EXPECT_FALSE(image.hasAlpha);
    ExpectNear(PixelAt(image, 10, 10), 0xFFC04020, 3);
    ExpectNear(PixelAt(image, 299, 199), 0xFFC04020, 3);
    EXPECT_EQ(PixelAt(image, 300, 0), 0u);
    EXPECT_EQ(PixelAt(image, 0, 200), 0u);
    EXPECT_EQ(PixelAt(image, 511, 511), 0u);
}

TEST(DecodeJpeg, GreyPictureBecomesEqualChannels) {
    std::vector<uint8_t> samples(16 * 8, 0x90);
    TDecodedImage image;
    ASSERT_TRUE(DecodeBytes(DecodeJpeg, WriteJpeg(16, 8, 1, samples), &image));
    uint32_t p = PixelAt(image, 3, 3);
    EXPECT_EQ(p >> 24, 0xFFu);
    EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
    EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);
    ExpectNear(p, 0xFF909090, 2);
}

TEST(DecodeJpeg, TruncatedPictureStillDecodesAndEmptyInputFails) {
    std::vector<uint8_t> samples;
    for (int i = 0; i < 64 * 64; ++i) samples.insert(samples.end(), {uint8_t(i), uint8_t(i >> 4), 0x33});
    Bytes full = WriteJpeg(64, 64, 3, samples);
    Bytes cut(full.begin(), full.begin() + full.size() / 2);
    TDecodedImage image;
    ASSERT_TRUE(DecodeBytes(DecodeJpeg, cut, &image));
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.side, 64);

    TDecodedImage empty;
    EXPECT_FALSE(DecodeBytes(DecodeJpeg, Bytes{}, &empty));
    EXPECT_EQ(empty.pixels, nullptr);
}

TEST(DecodeJpeg2000, PaddingRepeatsTheLastColumnAndRow) {
    const int w = 300, h = 200;
    auto r = MakeComponent(w, h, 1, 1, [](int x, int) { return x & 0xFF; });
    auto g = MakeComponent(w, h, 1, 1, [](int, int y) { return y; });
    auto b = MakeComponent(w, h, 1, 1, [](int x, int y) { return (x + y) & 0xFF; });
    TDecodedImage image;
    ASSERT_TRUE(DecodeBytes(DecodeJpeg2000, WriteJp2(MakeJp2(w, h, 1, {r, g, b})), &image));
    EXPECT_EQ(image.width, w);
    EXPECT_EQ(image.height, h);
    ASSERT_EQ(image.side, 512);
    EXPECT_FALSE(image.hasAlpha);
    EXPECT_EQ(PixelAt(image, 10, 20), 0xFF0A141Eu);
    uint32_t corner = PixelAt(image, 299, 199);
    EXPECT_EQ(corner, 0xFF2BC7F2u);
    EXPECT_EQ(PixelAt(image, 300, 5), PixelAt(image, 299, 5));
    EXPECT_EQ(PixelAt(image, 511, 5), PixelAt(image, 299, 5));
    EXPECT_EQ(PixelAt(image, 7, 511), PixelAt(image, 7, 199));
    EXPECT_EQ(PixelAt(image, 511, 511), corner);
}

TEST(DecodeJpeg2000, ComponentsBySampleTypeAndPrecision) {
    const int w = 4, h = 2;
    auto value = [](int v) { return [v](int, int) { return v; }; };
    auto at = [&](int prec, bool sgnd, int v) {
        auto c = MakeComponent(w, h, 1, 1, value(v));
        c.precision = prec;
        c.isSigned = sgnd;
        return c;
    };
    auto alpha = at(8, false, 0x40);
    alpha.alpha = true;
    struct Case {
        const char* name;
        Jp2Picture picture;
        uint32_t pixel;
        bool hasAlpha;
    } cases[] = {
        {"grey", MakeJp2(w, h, 2, {at(8, false, 0x5A)}), 0xFF5A5A5A, false},
        {"grey with alpha", MakeJp2(w, h, 2, {at(8, false, 0x5A), alpha}), 0x405A5A5A, true},
        {"rgba", MakeJp2(w, h, 1, {at(8, false, 1), at(8, false, 2), at(8, false, 3), alpha}), 0x40010203, true},
        {"12-bit samples shift right", MakeJp2(w, h, 1, {at(12, false, 0xABC), at(12, false, 0x123), at(12, false, 0xFFF)}),
         0xFFAB12FF, false},
        {"4-bit samples shift left", MakeJp2(w, h, 1, {at(4, false, 0xA), at(4, false, 0x1), at(4, false, 0xF)}),
         0xFFA010F0, false},
        {"signed samples offset", MakeJp2(w, h, 1, {at(8, true, -128), at(8, true, 0), at(8, true, 127)}), 0xFF0080FF,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDecodedImage image;
        ASSERT_TRUE(DecodeBytes(DecodeJpeg2000, WriteJp2(c.picture), &image));
        EXPECT_EQ(image.side, 4);
        EXPECT_EQ(image.hasAlpha, c.hasAlpha);
        EXPECT_EQ(PixelAt(image, 1, 1), c.pixel);
        EXPECT_EQ(PixelAt(image, 3, 3), c.pixel);  // repeated padding
    }
}

TEST(DecodeJpeg2000, SubsampledYccAndBareCodestream) {
    const int w = 8, h = 8;
    auto y = MakeComponent(w, h, 1, 1, [](int x, int) { return x < 4 ? 100 : 200; });
    auto cb = MakeComponent(w, h, 2, 2, [](int, int) { return 128; });
    auto cr = MakeComponent(w, h, 2, 2, [](int x, int) { return x < 2 ? 128 : 178; });
    TDecodedImage image;
    ASSERT_TRUE(DecodeBytes(DecodeJpeg2000, WriteJp2(MakeJp2(w, h, 3, {y, cb, cr})), &image));
    EXPECT_EQ(PixelAt(image, 1, 1), 0xFF646464u);  // neutral chroma: grey
    uint32_t reddish = PixelAt(image, 6, 6);       // Cr + 50 from its half-resolution sample
    EXPECT_EQ(reddish, 0xFFFFA5C8u);

    Jp2Picture bare = MakeJp2(w, h, 2, {MakeComponent(w, h, 1, 1, [](int, int) { return 9; })});
    bare.codestreamOnly = true;
    TDecodedImage grey;
    ASSERT_TRUE(DecodeBytes(DecodeJpeg2000, WriteJp2(bare), &grey));
    EXPECT_EQ(PixelAt(grey, 2, 2), 0xFF090909u);
}

TEST(DecodeJpeg2000, UnknownMagicFails) {
    TDecodedImage image;
    EXPECT_FALSE(DecodeBytes(DecodeJpeg2000, WritePng(MakePng(1, 1, PNG_COLOR_TYPE_GRAY, 8, {1})), &image));
    EXPECT_FALSE(DecodeBytes(DecodeJpeg2000, Bytes{0xFF, 0x4F}, &image));
    EXPECT_EQ(image.pixels, nullptr);
}

TEST(DecodeByFileName, ReadsThroughTheFileLayer) {
    Bytes png = WritePng(MakePng(3, 2, PNG_COLOR_TYPE_GRAY, 8, {1, 2, 3, 4, 5, 6}));
    Bytes jpeg = WriteJpeg(8, 8, 1, std::vector<uint8_t>(64, 0x40));
    Bytes jp2 = WriteJp2(MakeJp2(4, 4, 2, {MakeComponent(4, 4, 1, 1, [](int x, int y) { return x + 4 * y; })}));
    RegisterMemoryFile("fixtures/a.png", png.data(), png.size());
    RegisterMemoryFile("fixtures/a.jpg", jpeg.data(), jpeg.size());
    RegisterMemoryFile("fixtures/a.jp2", jp2.data(), jp2.size());
    TDecodedImage image;
    ASSERT_TRUE(DecodePng(TString("fixtures/a.png"), &image));
    EXPECT_EQ(PixelAt(image, 2, 1), 0xFF060606u);
    ASSERT_TRUE(DecodeJpeg(TString("fixtures/a.jpg"), &image));
    EXPECT_EQ(image.width, 8);
    ASSERT_TRUE(DecodeJpeg2000(TString("fixtures/a.jp2"), &image));
    EXPECT_EQ(PixelAt(image, 3, 3), 0xFF0F0F0Fu);
    EXPECT_FALSE(DecodePng(TString("fixtures/missing.png"), &image));
    for (const char* name : {"fixtures/a.png", "fixtures/a.jpg", "fixtures/a.jp2"}) RegisterMemoryFile(name, nullptr, 0);
}
