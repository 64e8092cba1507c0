// JPEG-2000 decoding through OpenJPEG, over a stream that reads the byte source. The codec is
// chosen by the file's magic: a JP2 box file or a bare codestream.
#include <openjpeg.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/graphics/image_decode.h"

namespace {

constexpr OPJ_SIZE_T kStreamBlock = 64 * 1024;
constexpr uint8_t kJp2Magic[12] = {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
constexpr uint8_t kCodestreamMagic[4] = {0xFF, 0x4F, 0xFF, 0x51};
// Grey, grey + alpha, colour, colour + alpha: anything beyond is not a picture for a texture.
constexpr OPJ_UINT32 kMaxComponents = 4;

bool ChooseCodec(TImageSource& source, OPJ_CODEC_FORMAT* format) {
    uint8_t head[12] = {};
    size_t got = source.Read(head, sizeof head);
    if (!source.SeekTo(0)) return false;
    if (got >= sizeof kJp2Magic && std::memcmp(head, kJp2Magic, sizeof kJp2Magic) == 0) {
        *format = OPJ_CODEC_JP2;
        return true;
    }
    if (got >= sizeof kCodestreamMagic && std::memcmp(head, kCodestreamMagic, sizeof kCodestreamMagic) == 0) {
        *format = OPJ_CODEC_J2K;
        return true;
    }
    return false;
}

OPJ_SIZE_T StreamRead(void* buffer, OPJ_SIZE_T count, void* user) {
    size_t got = static_cast<TImageSource*>(user)->Read(buffer, count);
    return got == 0 ? static_cast<OPJ_SIZE_T>(-1) : got;
}

OPJ_OFF_T StreamSkip(OPJ_OFF_T count, void* user) {
    auto* source = static_cast<TImageSource*>(user);
    int64_t target = static_cast<int64_t>(source->Tell()) + count;
    if (target < 0 || !source->SeekTo(static_cast<uint64_t>(target))) return -1;
    return count;
}

OPJ_BOOL StreamSeek(OPJ_OFF_T position, void* user) {
    return position >= 0 && static_cast<TImageSource*>(user)->SeekTo(static_cast<uint64_t>(position));
}

void QuietMessage(const char*, void*) {}

// A component sample brought to 0..255: signed samples offset to unsigned, precision scaled to 8 bits.
int ToByte(const opj_image_comp_t& comp, int x, int y) {
    int cx = std::min<int>(x / static_cast<int>(comp.dx), static_cast<int>(comp.w) - 1);
    int cy = std::min<int>(y / static_cast<int>(comp.dy), static_cast<int>(comp.h) - 1);
    int64_t v = comp.data[static_cast<size_t>(cy) * comp.w + cx];
    int prec = std::clamp<int>(static_cast<int>(comp.prec), 1, 31);
    if (comp.sgnd) v += int64_t{1} << (prec - 1);
    v = prec > 8 ? v >> (prec - 8) : v << (8 - prec);
    return static_cast<int>(std::clamp<int64_t>(v, 0, 255));
}

uint32_t Pack(int r, int g, int b, int a) {
    auto clamp = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return clamp(a) << 24 | clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

uint32_t YccToRgb(int y, int cb, int cr, int a) {
    cb -= 128;
    cr -= 128;
    return Pack(y + static_cast<int>(1.402 * cr), y - static_cast<int>(0.344136 * cb + 0.714136 * cr),
                y + static_cast<int>(1.772 * cb), a);
}

struct ComponentRoles {
    const opj_image_comp_t* colour[3] = {};  // red, green, blue (or Y, Cb, Cr); null when missing
    const opj_image_comp_t* alpha = nullptr;
    int colourCount = 0;
};

bool FindRoles(const opj_image_t* image, ComponentRoles* roles) {
    for (OPJ_UINT32 i = 0; i < image->numcomps; ++i) {
        const opj_image_comp_t& comp = image->comps[i];
        if (!comp.data || comp.w == 0 || comp.h == 0 || comp.dx == 0 || comp.dy == 0) return false;
        if (comp.alpha) {
            if (!roles->alpha) roles->alpha = &comp;
        } else if (roles->colourCount < 3) {
            roles->colour[roles->colourCount++] = &comp;
        }
    }
    return roles->colourCount > 0;
}

void FillPixels(const opj_image_t* image, const ComponentRoles& roles, TDecodedImage* out) {
    bool grey = roles.colourCount == 1 || image->color_space == OPJ_CLRSPC_GRAY;
    bool ycc = !grey && roles.colourCount == 3 &&
               (image->color_space == OPJ_CLRSPC_SYCC || image->color_space == OPJ_CLRSPC_EYCC);
    for (int y = 0; y < out->height; ++y) {
        uint32_t* row = out->pixels.get() + static_cast<size_t>(y) * out->side;
        for (int x = 0; x < out->width; ++x) {
            int c[3] = {0, 0, 0};
            for (int i = 0; i < 3; ++i)
                if (roles.colour[i]) c[i] = ToByte(*roles.colour[i], x, y);
            int a = roles.alpha ? ToByte(*roles.alpha, x, y) : 255;
            if (grey) row[x] = Pack(c[0], c[0], c[0], a);
            else if (ycc) row[x] = YccToRgb(c[0], c[1], c[2], a);
            else row[x] = Pack(c[0], c[1], c[2], a);
        }
    }
}

// Padding repeats the edges: each row's last pixel to the right, the last row downwards.
void RepeatEdges(TDecodedImage* out) {
    uint32_t* pixels = out->pixels.get();
    size_t side = out->side;
    for (int y = 0; y < out->height; ++y) {
        uint32_t* row = pixels + y * side;
        std::fill(row + out->width, row + side, row[out->width - 1]);
    }
    const uint32_t* last = pixels + (out->height - 1) * side;
    for (size_t y = out->height; y < side; ++y) std::copy(last, last + side, pixels + y * side);
}

// Header read and checked, then the image decoded; null on any codec error or a refused size.
opj_image_t* ReadImage(opj_codec_t* codec, opj_stream_t* stream) {
    opj_image_t* image = nullptr;
    if (!opj_read_header(stream, codec, &image)) {
        if (image) opj_image_destroy(image);
        return nullptr;
    }
    bool sane = image->x1 > image->x0 && image->y1 > image->y0 &&
                image->x1 - image->x0 <= static_cast<OPJ_UINT32>(kMaxImageSide) &&
                image->y1 - image->y0 <= static_cast<OPJ_UINT32>(kMaxImageSide) && image->numcomps >= 1 &&
                image->numcomps <= kMaxComponents;
    if (!sane || !opj_decode(codec, stream, image) || !opj_end_decompress(codec, stream)) {
        opj_image_destroy(image);
        return nullptr;
    }
    return image;
}

bool ConvertImage(const opj_image_t* image, TDecodedImage* out) {
    out->width = static_cast<int>(image->x1 - image->x0);
    out->height = static_cast<int>(image->y1 - image->y0);
    out->side = ImageSide(out->width, out->height);
    size_t pixelCount = static_cast<size_t>(out->side) * out->side;
    out->pixels = platform::video::AllocatePixelWords(pixelCount);  // zero-filled
    if (!out->pixels) return false;
    ComponentRoles roles;
    if (!FindRoles(image, &roles)) {
        // A component that cannot be read leaves the picture black.
        out->hasAlpha = false;
        return true;
    }
    out->hasAlpha = roles.alpha != nullptr;
    FillPixels(image, roles, out);
    RepeatEdges(out);
    return true;
}

}  // namespace

bool DecodeJpeg2000(TImageSource& source, TDecodedImage* image) {
    OPJ_CODEC_FORMAT format;
    if (!ChooseCodec(source, &format)) return false;
    opj_codec_t* codec = opj_create_decompress(format);
    opj_stream_t* stream = opj_stream_create(kStreamBlock, OPJ_TRUE);
    opj_image_t* decoded = nullptr;
    if (codec && stream) {
        opj_set_error_handler(codec, QuietMessage, nullptr);
        opj_set_warning_handler(codec, QuietMessage, nullptr);
        opj_set_info_handler(codec, QuietMessage, nullptr);
        opj_dparameters_t parameters;
        opj_set_default_decoder_parameters(&parameters);
        opj_stream_set_user_data(stream, &source, nullptr);
        opj_stream_set_user_data_length(stream, source.Size());
        opj_stream_set_read_function(stream, StreamRead);
        opj_stream_set_skip_function(stream, StreamSkip);
        opj_stream_set_seek_function(stream, StreamSeek);
        if (opj_setup_decoder(codec, &parameters)) decoded = ReadImage(codec, stream);
    }
    TDecodedImage result;
    bool ok = decoded && ConvertImage(decoded, &result);
    if (decoded) opj_image_destroy(decoded);
    if (stream) opj_stream_destroy(stream);
    if (codec) opj_destroy_codec(codec);
    if (ok) *image = std::move(result);
    return ok;
}
