// PNG decoding through libpng with read callbacks. libpng reports errors by a long jump back
// into ReadPng; everything it must free afterwards lives in a PngJob owned by the caller, so no
// object with a destructor is skipped by the jump.
#include <png.h>

#include <cstring>
#include <new>

#include "engine/graphics/image_decode.h"

namespace {

struct PngJob {
    TImageSource* source = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    platform::video::PixelWords pixels;
    png_bytep* rows = nullptr;
    int width = 0;
    int height = 0;
    int side = 0;
    bool hasAlpha = false;
};

void ReadCallback(png_structp png, png_bytep data, png_size_t length) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (job->source->Read(data, length) != length) png_error(png, "Read Error");
}

void QuietWarning(png_structp, png_const_charp) {}

void ErrorExit(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Transforms to 8-bit BGRA: 16-bit stripped, palette and small grey expanded, transparency as
// alpha, grey to RGB, blue first, 0xFF filler where no alpha, gamma to a 2.2 screen.
void SetTransforms(PngJob* job) {
    png_structp png = job->png;
    png_infop info = job->info;
    int colorType = png_get_color_type(png, info);
    int bitDepth = png_get_bit_depth(png, info);
    bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;

    if (bitDepth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (hasTransparency) png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_bgr(png);

    // A transparency chunk makes an alpha channel whatever the colour type.
    job->hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || hasTransparency;
    if (!job->hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);

    double fileGamma = 0;
    if (png_get_gAMA(png, info, &fileGamma)) png_set_gamma(png, 2.2, fileGamma);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

void AllocateBuffer(PngJob* job) {
    size_t pixelCount = static_cast<size_t>(job->side) * job->side;
    job->pixels = platform::video::AllocatePixelWords(pixelCount);  // zero-filled
    job->rows = new (std::nothrow) png_bytep[job->height];
    if (!job->pixels || !job->rows) png_error(job->png, "Visual PNG: out of memory");
    for (int y = 0; y < job->height; ++y)
        job->rows[y] = reinterpret_cast<png_bytep>(job->pixels.get() + size_t(y) * job->side);
}

bool ReadPng(PngJob* job) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    png_set_read_fn(job->png, job, ReadCallback);
    png_set_user_limits(job->png, kMaxImageSide, kMaxImageSide);
    png_read_info(job->png, job->info);
    job->width = static_cast<int>(png_get_image_width(job->png, job->info));
    job->height = static_cast<int>(png_get_image_height(job->png, job->info));
    job->side = ImageSide(job->width, job->height);
    SetTransforms(job);
    if (png_get_rowbytes(job->png, job->info) != static_cast<size_t>(job->width) * 4)
        png_error(job->png, "unexpected row layout");
    AllocateBuffer(job);
    png_read_image(job->png, job->rows);
    png_read_end(job->png, nullptr);
    return true;
}

}  // namespace

bool DecodePng(TImageSource& source, TDecodedImage* image) {
    PngJob job;
    job.source = &source;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorExit, QuietWarning);
    if (job.png) job.info = png_create_info_struct(job.png);
    bool ok = job.info && ReadPng(&job);
    png_destroy_read_struct(job.png ? &job.png : nullptr, job.info ? &job.info : nullptr, nullptr);
    delete[] job.rows;
    if (!ok) return false;
    image->pixels = std::move(job.pixels);
    image->width = job.width;
    image->height = job.height;
    image->side = job.side;
    image->hasAlpha = job.hasAlpha;
    return true;
}
