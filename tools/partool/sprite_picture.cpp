#include "tools/partool/sprite_picture.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// A soft dot of radius 1 (x, y from -1 to 1).
float Glow(float x, float y, float width) {
    return std::exp(-(x * x + y * y) / (width * width));
}

// A thin ray through the centre at angle, fading towards its ends.
float Ray(float x, float y, float angle) {
    float along = std::fabs(x * std::cos(angle) + y * std::sin(angle));
    float across = -x * std::sin(angle) + y * std::cos(angle);
    return std::exp(-across * across / 0.004f) * std::max(0.0f, 1.0f - along);
}

float Rays(float x, float y, int count) {
    float brightest = 0.0f;
    for (int i = 0; i < count; ++i) brightest = std::max(brightest, Ray(x, y, std::numbers::pi_v<float> * i / count));
    return brightest;
}

float Opacity(const std::string& shape, float x, float y) {
    if (shape == "star") return std::max(Glow(x, y, 0.25f), Rays(x, y, 2));
    if (shape == "flake") return std::max(Glow(x, y, 0.2f), Rays(x, y, 3));
    if (shape == "ring") {
        float off = std::sqrt(x * x + y * y) - 0.7f;
        return std::exp(-off * off / 0.02f);
    }
    return Glow(x, y, 0.45f) * std::max(0.0f, 1.0f - (x * x + y * y));
}

}  // namespace

bool WriteSpritePicture(const std::string& path, const std::string& shape, int size) {
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 4, 255);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            // Pixel centres, with the picture's centre at 0.
            float x = (column + 0.5f) * 2.0f / size - 1.0f, y = (row + 0.5f) * 2.0f / size - 1.0f;
            float alpha = std::clamp(Opacity(shape, x, y), 0.0f, 1.0f);
            pixels[(static_cast<size_t>(row) * size + column) * 4 + 3] = static_cast<uint8_t>(std::lround(alpha * 255.0f));
        }
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}
