// Test pictures written in memory with the encoders of libpng, libjpeg and OpenJPEG, so the
// decoder tests need no binary fixtures.
#pragma once

#include <png.h>

#include <cstdint>
#include <optional>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct PngPicture {
    int width = 0;
    int height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    std::vector<uint16_t> samples;  // row-major, channels of the colour type per pixel
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;        // tRNS of a palette picture
    std::optional<png_color_16> transparent;  // tRNS of a grey or RGB picture
    bool interlaced = false;
    double gamma = 0;  // written as gAMA when non-zero
};
PngPicture MakePng(int width, int height, int colorType, int bitDepth, std::vector<uint16_t> samples);
Bytes WritePng(const PngPicture& picture);

// components 1 (grey) or 3 (RGB); samples row-major.
Bytes WriteJpeg(int width, int height, int components, const std::vector<uint8_t>& samples, int quality = 95);

struct Jp2Component {
    int precision = 8;
    bool isSigned = false;
    int dx = 1;
    int dy = 1;
    bool alpha = false;
    std::vector<int32_t> samples;  // ceil(width / dx) x ceil(height / dy), row-major
};
struct Jp2Picture {
    int width = 0;
    int height = 0;
    int colorSpace = 1;  // OPJ_COLOR_SPACE: 1 sRGB, 2 grey, 3 sYCC
    bool codestreamOnly = false;
    std::vector<Jp2Component> components;
};
Jp2Picture MakeJp2(int width, int height, int colorSpace, std::vector<Jp2Component> components);
Bytes WriteJp2(const Jp2Picture& picture);

// A component filled by a function of the sample position.
template <class F>
Jp2Component MakeComponent(int width, int height, int dx, int dy, F value) {
    Jp2Component c;
    c.dx = dx;
    c.dy = dy;
    int w = (width + dx - 1) / dx, h = (height + dy - 1) / dy;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.samples.push_back(value(x, y));
    return c;
}
