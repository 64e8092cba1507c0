#include "engine/graphics/png_shot.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/video/surface.h"

bool WritePngShot(const platform::video::Surface& surface, const char* path) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info && setjmp(png_jmpbuf(png)) == 0) {
        int width = surface.Width(), height = surface.Height();
        png_init_io(png, file);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(static_cast<size_t>(width) * 3);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint32_t argb = surface.Pixel(x, y);
                row[x * 3] = (argb >> 16) & 0xFF;
                row[x * 3 + 1] = (argb >> 8) & 0xFF;
                row[x * 3 + 2] = argb & 0xFF;
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}
