// JPEG decoding through libjpeg with a source manager over the byte source. libjpeg's fatal
// errors long-jump back into ReadJpeg instead of ending the process; what must be freed after
// the jump lives in a JpegJob owned by the caller.
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <new>

#include "engine/graphics/image_decode.h"

namespace {

constexpr size_t kBlockSize = 4096;

struct JpegSource {
    jpeg_source_mgr manager;  // first, so libjpeg's pointer is the JpegSource
    TImageSource* source;
    bool started;
    JOCTET block[kBlockSize];
};

struct JpegError {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer is the JpegError
    jmp_buf jump;
};

struct JpegJob {
    jpeg_decompress_struct info;
    JpegError error;
    JpegSource source;
    platform::video::PixelWords pixels;
};

void InitSource(j_decompress_ptr info) { reinterpret_cast<JpegSource*>(info->src)->started = false; }

// Refills the block; at the end of the file an end-of-image marker stands in for the missing
// data, so a truncated picture decodes with its lower part filled by libjpeg.
boolean FillInputBuffer(j_decompress_ptr info) {
    auto* src = reinterpret_cast<JpegSource*>(info->src);
    size_t got = src->source->Read(src->block, kBlockSize);
    if (got == 0) {
        if (!src->started) ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        src->block[0] = 0xFF;
        src->block[1] = JPEG_EOI;
        got = 2;
    }
    src->manager.next_input_byte = src->block;
    src->manager.bytes_in_buffer = got;
    src->started = true;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
    auto* src = reinterpret_cast<JpegSource*>(info->src);
    while (count > static_cast<long>(src->manager.bytes_in_buffer)) {
        count -= static_cast<long>(src->manager.bytes_in_buffer);
        FillInputBuffer(info);
    }
    if (count > 0) {
        src->manager.next_input_byte += count;
        src->manager.bytes_in_buffer -= static_cast<size_t>(count);
    }
}

void TermSource(j_decompress_ptr) {}

void ErrorExit(j_common_ptr info) { longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

void QuietMessage(j_common_ptr) {}

void AttachSource(JpegJob* job, TImageSource& source) {
    JpegSource& src = job->source;
    src.manager.init_source = InitSource;
    src.manager.fill_input_buffer = FillInputBuffer;
    src.manager.skip_input_data = SkipInputData;
    src.manager.resync_to_restart = jpeg_resync_to_restart;
    src.manager.term_source = TermSource;
    src.manager.bytes_in_buffer = 0;
    src.manager.next_input_byte = nullptr;
    src.source = &source;
    job->info.src = &src.manager;
}

bool ReadJpeg(JpegJob* job, TDecodedImage* image) {
    jpeg_decompress_struct& info = job->info;
    if (setjmp(job->error.jump)) return false;
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;  // blue, green, red, alpha 0xFF: the buffer's layout
    int width = static_cast<int>(info.image_width);
    int height = static_cast<int>(info.image_height);
    if (width > kMaxImageSide || height > kMaxImageSide) ERREXIT(&info, JERR_IMAGE_TOO_BIG);
    jpeg_start_decompress(&info);

    int side = ImageSide(width, height);
    size_t pixelCount = static_cast<size_t>(side) * side;
    // Zero-filled, so the padding never carries stale memory into the texture.
    job->pixels = platform::video::AllocatePixelWords(pixelCount);
    if (!job->pixels) ERREXIT1(&info, JERR_OUT_OF_MEMORY, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(job->pixels.get() + size_t(info.output_scanline) * side);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    image->width = width;
    image->height = height;
    image->side = side;
    return true;
}

}  // namespace

bool DecodeJpeg(TImageSource& source, TDecodedImage* image) {
    auto job = std::unique_ptr<JpegJob>(new (std::nothrow) JpegJob());
    if (!job) return false;
    job->info.err = jpeg_std_error(&job->error.manager);
    job->error.manager.error_exit = ErrorExit;
    job->error.manager.output_message = QuietMessage;
    jpeg_create_decompress(&job->info);
    AttachSource(job.get(), source);
    bool ok = ReadJpeg(job.get(), image);
    jpeg_destroy_decompress(&job->info);
    if (!ok) return false;
    image->pixels = std::move(job->pixels);
    image->hasAlpha = false;
    return true;
}
