#include "tests/engine/graphics/image_fixtures.h"

#include <cstdio>
#include <jpeglib.h>
#include <openjpeg.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

int ChannelsOf(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY:
        case PNG_COLOR_TYPE_PALETTE: return 1;
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB: return 3;
        default: return 4;
    }
}

// One row packed at the bit depth: small depths most significant bits first, 16 bits big-endian.
Bytes PackRow(const PngPicture& p, int y) {
    int channels = ChannelsOf(p.colorType);
    size_t count = static_cast<size_t>(p.width) * channels;
    const uint16_t* in = p.samples.data() + y * count;
    Bytes row((count * p.bitDepth + 7) / 8, 0);
    for (size_t i = 0; i < count; ++i) {
        if (p.bitDepth == 16) {
            row[2 * i] = in[i] >> 8;
            row[2 * i + 1] = in[i] & 0xFF;
        } else if (p.bitDepth == 8) {
            row[i] = static_cast<uint8_t>(in[i]);
        } else {
            size_t bit = i * p.bitDepth;
            row[bit / 8] |= static_cast<uint8_t>(in[i] << (8 - p.bitDepth - bit % 8));
        }
    }
    return row;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

}  // namespace

PngPicture MakePng(int width, int height, int colorType, int bitDepth, std::vector<uint16_t> samples) {
    PngPicture p;
    p.width = width;
    p.height = height;
    p.colorType = colorType;
    p.bitDepth = bitDepth;
    p.samples = std::move(samples);
    return p;
}

Bytes WritePng(const PngPicture& p) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("png writer failed");
    }
    png_set_write_fn(png, &out, AppendBytes, nullptr);
    png_set_IHDR(png, info, p.width, p.height, p.bitDepth, p.colorType,
                 p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!p.palette.empty()) png_set_PLTE(png, info, p.palette.data(), static_cast<int>(p.palette.size()));
    if (!p.paletteAlpha.empty())
        png_set_tRNS(png, info, p.paletteAlpha.data(), static_cast<int>(p.paletteAlpha.size()), nullptr);
    if (p.transparent) png_set_tRNS(png, info, nullptr, 0, &*p.transparent);
    if (p.gamma != 0) png_set_gAMA(png, info, p.gamma);
    png_write_info(png, info);
    std::vector<Bytes> rows;
    for (int y = 0; y < p.height; ++y) rows.push_back(PackRow(p, y));
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes WriteJpeg(int width, int height, int components, const std::vector<uint8_t>& samples, int quality) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(samples.data()) + size_t(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

namespace {

struct GrowingStream {
    Bytes bytes;
    size_t position = 0;
};

OPJ_SIZE_T StreamWrite(void* buffer, OPJ_SIZE_T count, void* user) {
    auto* s = static_cast<GrowingStream*>(user);
    if (s->bytes.size() < s->position + count) s->bytes.resize(s->position + count);
    std::memcpy(s->bytes.data() + s->position, buffer, count);
    s->position += count;
    return count;
}

OPJ_OFF_T StreamSkip(OPJ_OFF_T count, void* user) {
    auto* s = static_cast<GrowingStream*>(user);
    s->position += count;
    return count;
}

OPJ_BOOL StreamSeek(OPJ_OFF_T position, void* user) {
    static_cast<GrowingStream*>(user)->position = static_cast<size_t>(position);
    return OPJ_TRUE;
}

}  // namespace

Jp2Picture MakeJp2(int width, int height, int colorSpace, std::vector<Jp2Component> components) {
    Jp2Picture p;
    p.width = width;
    p.height = height;
    p.colorSpace = colorSpace;
    p.components = std::move(components);
    return p;
}

Bytes WriteJp2(const Jp2Picture& p) {
    std::vector<opj_image_cmptparm_t> params(p.components.size());
    for (size_t i = 0; i < params.size(); ++i) {
        const Jp2Component& c = p.components[i];
        params[i] = {};
        params[i].dx = c.dx;
        params[i].dy = c.dy;
        params[i].w = (p.width + c.dx - 1) / c.dx;
        params[i].h = (p.height + c.dy - 1) / c.dy;
        params[i].prec = c.precision;
        params[i].sgnd = c.isSigned;
    }
    opj_image_t* image = opj_image_create(static_cast<OPJ_UINT32>(params.size()), params.data(),
                                          static_cast<OPJ_COLOR_SPACE>(p.colorSpace));
    image->x1 = p.width;
    image->y1 = p.height;
    for (size_t i = 0; i < params.size(); ++i) {
        image->comps[i].alpha = p.components[i].alpha ? 1 : 0;
        std::copy(p.components[i].samples.begin(), p.components[i].samples.end(), image->comps[i].data);
    }
    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    parameters.tcp_numlayers = 1;
    parameters.tcp_rates[0] = 0;  // lossless
    parameters.cp_disto_alloc = 1;
    int smallest = std::min(p.width, p.height), levels = 1;
    while ((2 << levels) <= smallest && levels < 5) ++levels;
    parameters.numresolution = levels;
    opj_codec_t* codec = opj_create_compress(p.codestreamOnly ? OPJ_CODEC_J2K : OPJ_CODEC_JP2);
    GrowingStream out;
    opj_stream_t* stream = opj_stream_create(64 * 1024, OPJ_FALSE);
    opj_stream_set_user_data(stream, &out, nullptr);
    opj_stream_set_write_function(stream, StreamWrite);
    opj_stream_set_skip_function(stream, StreamSkip);
    opj_stream_set_seek_function(stream, StreamSeek);
    bool ok = opj_setup_encoder(codec, &parameters, image) && opj_start_compress(codec, image, stream) &&
              opj_encode(codec, stream) && opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
    if (!ok) throw std::runtime_error("jp2 writer failed");
    return out.bytes;
}
