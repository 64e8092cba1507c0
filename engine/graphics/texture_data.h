// Texture data: where a texture keeps its pixels. TTextureData is the abstract storage;
// TDxTextureData keeps them in a display surface used as a texture, a render target or a plain
// off-screen surface. It chooses the surface's size and pixel format, copies pixels in and out,
// fills, blits, locks, and after a lost device rebuilds the surface from its image files.
// Pixels in memory are 32-bit words 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "platform/video/surface.h"

// TTextureFlags bits.
enum : uint8_t {
    kTextureRenderTarget = 1,  // a depth buffer is attached
    kTextureAlpha = 2,
    kTextureAlphaByImage = 4,  // the alpha flag follows the decoded picture
    kTextureMipmap = 8,
    kTextureSimple = 16,  // a plain off-screen surface, never drawn as a texture
    kTextureSlow = 32,    // kept in system memory
    kTextureMadeAsTarget = 128,
};

class TTextureData {
public:
    virtual ~TTextureData() = default;
    virtual void Release() = 0;
    virtual void Restore() = 0;
    // width: the source row length in pixels; filter: non-zero asks linear filtering of mip levels.
    virtual bool SetPixels(int width, int filter, const uint32_t* pixels) = 0;
    virtual bool Create(int width, int height, bool clear) = 0;
    virtual bool Blit(TTextureData& source, const TRect& sourceRect, int x, int y) = 0;
    virtual void Clear() = 0;
    // pitch in pixels.
    virtual bool Lock(uint32_t** pixels, int* pitch) = 0;
    virtual void Unlock() = 0;

    TString fileName;
    TString maskName;  // empty when the picture has no separate mask
    uint32_t width = 0;  // of the surface
    uint32_t height = 0;
    int imageWidth = 0;
    int imageHeight = 0;
    int borderX = 0;  // offset of the picture inside the surface
    int borderY = 0;
    uint8_t flags = 0;
};

class TDxTextureData : public TTextureData {
public:
    ~TDxTextureData() override;
    void Release() override;
    void Restore() override;
    bool SetPixels(int width, int filter, const uint32_t* pixels) override;
    bool Create(int width, int height, bool clear) override;
    bool Blit(TTextureData& source, const TRect& sourceRect, int x, int y) override;
    void Clear() override;
    bool Lock(uint32_t** pixels, int* pitch) override;
    void Unlock() override;

    // Converts the surface's top-left width x height pixels into dest (row length width).
    bool GetPixels(int width, int height, uint32_t* dest);

    const std::shared_ptr<platform::video::Surface>& GetSurface() const { return surface_; }
    int GetMipCount() const { return mipCount_; }

private:
    bool CreateSurface(int width, int height);
    bool CreateMipmapped(int width, int height);
    void AttachDepthBuffer();
    void WritePixels(platform::video::Surface& surface, int width, const uint32_t* pixels);
    void FillMipLevels(int filter);
    void RestoreFromFiles();

    std::shared_ptr<platform::video::Surface> surface_;
    int mipCount_ = 0;  // -1 when the levels are made from the top level
    bool madeByUtility_ = false;
    int64_t countedBytes_ = 0;
    std::unique_ptr<uint32_t[]> lockBuffer_;  // null while locked directly
    bool locked_ = false;
};

// The display handler's texture-data factory.
std::unique_ptr<TTextureData> CreateTextureData();

// The next power of two not below size, at least 2.
uint32_t TexturePow2(uint32_t size);
