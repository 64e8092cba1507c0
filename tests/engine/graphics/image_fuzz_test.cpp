// Damaged pictures: every decoder must fail cleanly or decode a consistent buffer, never read
// outside its input or crash (run under the address sanitizer).
#include "engine/graphics/image_decode.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/engine/graphics/image_fixtures.h"

namespace {

using Decoder = bool (*)(TImageSource&, TDecodedImage*);

void ExpectCleanResult(Decoder decode, const Bytes& bytes) {
    // An exact-size heap copy, so a read past the end is caught.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    TMemoryImageSource source(copy.get(), bytes.size());
    TDecodedImage image;
    if (decode(source, &image)) {
        ASSERT_NE(image.pixels, nullptr);
        EXPECT_GE(image.width, 1);
        EXPECT_GE(image.height, 1);
        EXPECT_EQ(image.side, ImageSide(image.width, image.height));
    } else {
        EXPECT_EQ(image.pixels, nullptr);
    }
}

void Torture(Decoder decode, const Bytes& valid) {
    for (size_t length = 0; length < valid.size(); length += 1 + length / 8)
        ExpectCleanResult(decode, Bytes(valid.begin(), valid.begin() + length));
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        Bytes damaged = valid;
        int flips = 1 + round % 8;
        for (int i = 0; i < flips; ++i) damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        ExpectCleanResult(decode, damaged);
    }
}

std::vector<uint16_t> Gradient(int w, int h, int channels) {
    std::vector<uint16_t> samples;
    for (int i = 0; i < w * h * channels; ++i) samples.push_back(static_cast<uint16_t>(i * 7));
    return samples;
}

}  // namespace

TEST(DamagedImages, PngFailsCleanly) {
    std::vector<uint16_t> indices;
    for (int i = 0; i < 20 * 9; ++i) indices.push_back(i % 3);
    PngPicture palette = MakePng(20, 9, PNG_COLOR_TYPE_PALETTE, 4, indices);
    palette.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    palette.paletteAlpha = {0, 128};
    PngPicture interlaced = MakePng(33, 17, PNG_COLOR_TYPE_RGBA, 8, Gradient(33, 17, 4));
    for (auto& s : interlaced.samples) s &= 0xFF;
    interlaced.interlaced = true;
    Torture(DecodePng, WritePng(palette));
    Torture(DecodePng, WritePng(interlaced));
}

TEST(DamagedImages, JpegFailsCleanly) {
    std::vector<uint8_t> samples;
    for (int i = 0; i < 40 * 24 * 3; ++i) samples.push_back(static_cast<uint8_t>(i * 13));
    Torture(DecodeJpeg, WriteJpeg(40, 24, 3, samples));
}

TEST(DamagedImages, Jpeg2000FailsCleanly) {
    auto component = [](int seed) {
        return MakeComponent(24, 16, 1, 1, [seed](int x, int y) { return (x * seed + y * 3) & 0xFF; });
    };
    Jp2Picture rgb = MakeJp2(24, 16, 1, {component(1), component(5), component(9)});
    Torture(DecodeJpeg2000, WriteJp2(rgb));
    rgb.codestreamOnly = true;
    Torture(DecodeJpeg2000, WriteJp2(rgb));
}
