// TTexture: the picture asset. One image loaded from a ".png", ".jpg" or ".jp2" file (a JPEG may
// take its alpha from a ".mask.png" file beside it), or a blank surface to draw into, kept in
// texture data and shared through the asset cache under a key made of its file name and options.
#pragma once

#include <memory>

#include "engine/core/files/asset.h"
#include "engine/core/base/maths.h"
#include "engine/graphics/texture_data.h"

class TColor;
struct TSpriteState;

class TTexture : public TAsset {
    ALEMBRIA_ASSET_CLASS(TTexture, TAsset)

public:
    // Options of Get.
    enum : int { kMipmap = 1, kAlphaOn = 2, kAlphaOff = 4 };

    TTexture();
    ~TTexture() override;

    // Drops the surface (device loss) and rebuilds it.
    void Release() override;
    void Restore() override;
    // Copies sourceRect of source (all of it when empty; clamped to its size) to (x, y) of this
    // texture; refused while a frame is being drawn.
    virtual bool CopyFrom(TTexture& source, const TRect& sourceRect, int x, int y);
    // Draws the picture as one quad placed by the draw state; nothing outside a frame or for a
    // simple texture. (texture_draw.cpp)
    virtual void Draw(const TSpriteState& state);
    // Draws at (x, y), scaled, then turned by angle (radians), tinted by colour.
    virtual void DrawAt(float x, float y, float scaleX, float scaleY, float angle, const TColor& colour);
    virtual int GetWidth() const { return data_->imageWidth; }
    virtual int GetHeight() const { return data_->imageHeight; }

    bool HasAlpha() const { return data_->flags & kTextureAlpha; }
    bool IsSimple() const { return data_->flags & kTextureSimple; }
    bool Lock(uint32_t** pixels, int* pitch) { return data_->Lock(pixels, pitch); }
    void Unlock() { data_->Unlock(); }
    // Picture size plus both borders, each rounded up to an even number.
    void GetPaddedSize(int* width, int* height) const;
    // "<file name>.<mask name>".
    TString GetSourceKey() const;
    TTextureData& GetTextureData() { return *data_; }
    const TTextureData& GetTextureData() const { return *data_; }

    // "<name with '/' for '\\'>[:a][:m][:s]:tex".
    static TString MakeAssetKey(const TString& name, bool alpha, bool mipmap, bool simple);
    // The live texture under the key of name and options, else a freshly loaded one; empty when
    // the picture cannot be loaded.
    static std::shared_ptr<TTexture> Get(const TString& name, int options = 0);
    static std::shared_ptr<TTexture> GetWithOptions(const TString& name, bool mipmap, bool simple);
    // A picture with an explicit mask file (image windows).
    static std::shared_ptr<TTexture> GetWithOptions(const TString& image, const TString& mask, int options);
    // A blank surface to draw into, kept under "%x:tex:r"; empty when it cannot be made.
    static std::shared_ptr<TTexture> CreateRenderTarget(int width, int height, bool alpha);

private:
    static std::shared_ptr<TTexture> Obtain(const TString& key, const TString& name, const TString& mask,
                                            uint8_t flags);

    std::unique_ptr<TTextureData> data_;
    TString targetKey_;  // the manager key of a blank render target
};

// Loads a picture (and its mask) into texture data: options after "?", extension search, decoder
// by extension, mask merge, surface size. False when the files cannot be found or decoded, or the
// picture is over 1024 pixels without "slow"; true also when the surface could not be made (it is
// then made by a later restore).
bool LoadTextureData(TTextureData* data, TString name, TString maskName);

// Registers the "png" and "jpg" kinds of the asset map.
void RegisterTextureAssetKinds();
