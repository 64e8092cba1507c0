// Image decoders: PNG (libpng), JPEG (libjpeg) and JPEG-2000 (OpenJPEG) into the one layout texture
// surfaces take: a square buffer of side x side 32-bit pixels 0xAARRGGBB (bytes blue, green, red,
// alpha), rows top-down, the image at the top-left; side is the smallest power of two not below
// the larger of width and height. Padding: PNG and JPEG zero, JPEG-2000 repeats the edge pixels.
// The decoders read through the file layer, so packed and loose files decode alike; a damaged
// file makes them answer false with no buffer, never crash. Nothing is logged here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/core/base/tstring.h"
#include "platform/video/pixel_memory.h"

class TFile;

struct TDecodedImage {
    platform::video::PixelWords pixels;  // side * side words
    int width = 0;
    int height = 0;
    int side = 0;
    bool hasAlpha = false;  // PNG and JPEG-2000 only; a JPEG never has alpha
};

// Larger images are refused: a damaged header must not ask for gigabytes.
constexpr int kMaxImageSide = 8192;

// The smallest power of two not below the larger of width and height (1 for 1 x 1).
int ImageSide(int width, int height);

// Where a decoder's bytes come from: an open file, or a block of memory.
class TImageSource {
public:
    virtual ~TImageSource() = default;
    // Copies up to count bytes; answers how many arrived (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual bool SeekTo(uint64_t position) = 0;
    virtual uint64_t Tell() = 0;
    virtual uint64_t Size() = 0;
};

class TMemoryImageSource : public TImageSource {
public:
    TMemoryImageSource(const void* bytes, size_t size)
        : bytes_(static_cast<const uint8_t*>(bytes)), size_(size) {}
    size_t Read(void* buffer, size_t count) override;
    bool SeekTo(uint64_t position) override;
    uint64_t Tell() override { return position_; }
    uint64_t Size() override { return size_; }

private:
    const uint8_t* bytes_;
    size_t size_;
    size_t position_ = 0;
};

class TFileImageSource : public TImageSource {
public:
    explicit TFileImageSource(TFile& file) : file_(file) {}
    size_t Read(void* buffer, size_t count) override;
    bool SeekTo(uint64_t position) override;
    uint64_t Tell() override;
    uint64_t Size() override;

private:
    TFile& file_;
};

// Decoders over a virtual file name: false when the file cannot be opened or decoded.
bool DecodePng(const TString& fileName, TDecodedImage* image);
bool DecodeJpeg(const TString& fileName, TDecodedImage* image);
bool DecodeJpeg2000(const TString& fileName, TDecodedImage* image);

// The same over any byte source.
bool DecodePng(TImageSource& source, TDecodedImage* image);
bool DecodeJpeg(TImageSource& source, TDecodedImage* image);
bool DecodeJpeg2000(TImageSource& source, TDecodedImage* image);
