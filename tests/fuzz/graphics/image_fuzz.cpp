// Pictures from outside, given to each of the three decoders: a decode either fails with no buffer or
// gives a side x side buffer that keeps the layout's promises: PNG and JPEG pictures without alpha are
// opaque and padded with zero; JPEG-2000 padding repeats the edges (a picture whose components cannot
// be read is left black). Checking every pixel also lets the address sanitizer catch a buffer shorter
// than it claims.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/graphics/image_decode.h"

namespace {

using Decoder = bool (*)(TImageSource&, TDecodedImage*);

struct Rules {
    Decoder decode;
    bool zeroPaddedAndOpaque;  // PNG and JPEG; JPEG-2000 pads with its edges
};

void CheckPixels(const TDecodedImage& image, bool zeroPaddedAndOpaque) {
    auto at = [&](int x, int y) { return image.pixels[static_cast<size_t>(y) * image.side + x]; };
    for (int y = 0; y < image.side; ++y)
        for (int x = 0; x < image.side; ++x) {
            bool inside = x < image.width && y < image.height;
            uint32_t pixel = at(x, y);
            if (inside && zeroPaddedAndOpaque && !image.hasAlpha && pixel >> 24 != 0xFF) std::abort();
            if (inside) continue;
            uint32_t expected = zeroPaddedAndOpaque ? 0 : at(std::min(x, image.width - 1), std::min(y, image.height - 1));
            if (pixel != expected) std::abort();
        }
}

void Check(const Rules& rules, const uint8_t* data, size_t size) {
    TMemoryImageSource source(data, size);
    TDecodedImage image;
    if (!rules.decode(source, &image)) {
        if (image.pixels) std::abort();
        return;
    }
    if (!image.pixels || image.width < 1 || image.height < 1 || image.side != ImageSide(image.width, image.height))
        std::abort();
    CheckPixels(image, rules.zeroPaddedAndOpaque);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const Rules& rules : {Rules{DecodePng, true}, Rules{DecodeJpeg, true}, Rules{DecodeJpeg2000, false}})
        Check(rules, data, size);
    return 0;
}
