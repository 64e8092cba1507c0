// The decoders over the file layer: a byte source reading an open TFile, and the entry points
// that take a virtual file name.
#include <algorithm>

#include "engine/core/files/file.h"
#include "engine/graphics/image_decode.h"

size_t TFileImageSource::Read(void* buffer, size_t count) {
    // The file layer counts in 32-bit signed sizes.
    size_t total = 0;
    while (total < count) {
        int32_t ask = static_cast<int32_t>(std::min<size_t>(count - total, 1u << 30));
        int32_t got = file_.Read(static_cast<uint8_t*>(buffer) + total, ask);
        if (got <= 0) break;
        total += static_cast<size_t>(got);
        if (got < ask) break;
    }
    return total;
}

bool TFileImageSource::SeekTo(uint64_t position) {
    if (position > Size()) return false;
    file_.Seek(static_cast<int32_t>(position), kSeekStart);
    return Tell() == position;
}

uint64_t TFileImageSource::Tell() {
    int32_t at = file_.Tell();
    return at < 0 ? 0 : static_cast<uint64_t>(at);
}

uint64_t TFileImageSource::Size() {
    int32_t size = file_.GetSize();
    return size < 0 ? 0 : static_cast<uint64_t>(size);
}

namespace {

bool DecodeFile(const TString& fileName, TDecodedImage* image,
                bool (*decode)(TImageSource&, TDecodedImage*)) {
    TFile file;
    if (!file.Open(fileName, kFileReadBinary)) return false;
    TFileImageSource source(file);
    return decode(source, image);
}

}  // namespace

bool DecodePng(const TString& fileName, TDecodedImage* image) {
    return DecodeFile(fileName, image, DecodePng);
}

bool DecodeJpeg(const TString& fileName, TDecodedImage* image) {
    return DecodeFile(fileName, image, DecodeJpeg);
}

bool DecodeJpeg2000(const TString& fileName, TDecodedImage* image) {
    return DecodeFile(fileName, image, DecodeJpeg2000);
}
