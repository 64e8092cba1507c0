#include "tools/assetpipe/frame_border.h"

#include <cstdint>

namespace assetpipe {

namespace {

const char* const kSideNames[] = {"top", "bottom", "left", "right"};

}  // namespace

unsigned TouchedSides(cairo_surface_t* image) {
    const int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    auto drawn = [&](int x, int y) {
        uint32_t pixel = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
        return static_cast<int>(pixel >> 24) >= kBorderAlpha;
    };
    unsigned sides = 0;
    for (int x = 0; x < width; ++x) {
        if (drawn(x, 0)) sides |= kSideTop;
        if (drawn(x, height - 1)) sides |= kSideBottom;
    }
    for (int y = 0; y < height; ++y) {
        if (drawn(0, y)) sides |= kSideLeft;
        if (drawn(width - 1, y)) sides |= kSideRight;
    }
    return sides;
}

unsigned SideNamed(const std::string& name) {
    for (unsigned i = 0; i < 4; ++i)
        if (name == kSideNames[i]) return 1u << i;
    return 0;
}

std::string SideNames(unsigned sides) {
    std::string names;
    for (unsigned i = 0; i < 4; ++i) {
        if (!(sides & (1u << i))) continue;
        if (!names.empty()) names += ' ';
        names += kSideNames[i];
    }
    return names;
}

}  // namespace assetpipe
