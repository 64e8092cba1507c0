// TTexture: keys, the cached lookups, render targets and the asset-map kinds.
#include "engine/graphics/texture.h"

#include <algorithm>
#include <cstdint>

#include "engine/graphics/texture_display.h"

TTexture::TTexture() : data_(CreateTextureData()) {}

TTexture::~TTexture() {
    if (!targetKey_.IsEmpty())
        if (TAssetManager* manager = GetAssetManager()) manager->RemoveAsset(targetKey_);
}

void TTexture::Release() { data_->Release(); }

void TTexture::Restore() { data_->Restore(); }

bool TTexture::CopyFrom(TTexture& source, const TRect& sourceRect, int x, int y) {
    if (GetTextureDisplay().IsDrawing()) return false;
    const TTextureData& from = source.GetTextureData();
    TRect whole(0, 0, static_cast<int32_t>(from.width), static_cast<int32_t>(from.height));
    bool empty = sourceRect.Width() <= 0 || sourceRect.Height() <= 0;
    TRect rect = empty ? whole
                       : TRect(std::max(sourceRect.left, 0), std::max(sourceRect.top, 0),
                               std::min(sourceRect.right, whole.right), std::min(sourceRect.bottom, whole.bottom));
    if (rect.Width() <= 0 || rect.Height() <= 0) return false;
    return data_->Blit(source.GetTextureData(), rect, x, y);
}

void TTexture::GetPaddedSize(int* width, int* height) const {
    auto even = [](int v) { return (v + 1) & ~1; };
    *width = even(data_->imageWidth + 2 * data_->borderX);
    *height = even(data_->imageHeight + 2 * data_->borderY);
}

TString TTexture::GetSourceKey() const { return data_->fileName + "." + data_->maskName; }

TString TTexture::MakeAssetKey(const TString& name, bool alpha, bool mipmap, bool simple) {
    TString key = name;
    key.Replace("\\", "/", TString::kReplaceAll);
    if (alpha) key += ":a";
    if (mipmap) key += ":m";
    if (simple) key += ":s";
    return key + ":tex";
}

std::shared_ptr<TTexture> TTexture::Obtain(const TString& key, const TString& name, const TString& mask,
                                           uint8_t flags) {
    TAssetManager* manager = GetAssetManager();
    if (manager)
        if (auto live = AssetCast<TTexture>(manager->FindAsset(key))) return live;
    auto texture = std::make_shared<TTexture>();
    if (manager) manager->StoreAsset(key, texture);
    texture->data_->flags = flags;
    if (!LoadTextureData(texture->data_.get(), name, mask)) return nullptr;
    return texture;
}

namespace {

uint8_t FlagsOf(int options) {
    uint8_t flags = (options & TTexture::kMipmap) ? kTextureMipmap : 0;
    if (options & TTexture::kAlphaOn) flags |= kTextureAlpha;
    else if (!(options & TTexture::kAlphaOff)) flags |= kTextureAlphaByImage;
    return flags;
}

}  // namespace

std::shared_ptr<TTexture> TTexture::Get(const TString& name, int options) {
    TString key = MakeAssetKey(name, options & kAlphaOn, options & kMipmap, false);
    return Obtain(key, name, TString(), FlagsOf(options));
}

std::shared_ptr<TTexture> TTexture::GetWithOptions(const TString& name, bool mipmap, bool simple) {
    uint8_t flags = kTextureAlphaByImage | (mipmap ? kTextureMipmap : 0) | (simple ? kTextureSimple : 0);
    return Obtain(MakeAssetKey(name, false, mipmap, simple), name, TString(), flags);
}

std::shared_ptr<TTexture> TTexture::GetWithOptions(const TString& image, const TString& mask, int options) {
    if (mask.IsEmpty()) return Get(image, options);
    TString key = MakeAssetKey(image + "." + mask, options & kAlphaOn, options & kMipmap, false);
    return Obtain(key, image, mask, FlagsOf(options));
}

std::shared_ptr<TTexture> TTexture::CreateRenderTarget(int width, int height, bool alpha) {
    auto texture = std::make_shared<TTexture>();
    TTextureData& data = *texture->data_;
    data.flags = kTextureRenderTarget | kTextureMadeAsTarget | (alpha ? kTextureAlpha : 0);
    if (!data.Create(width, height, true)) return nullptr;
    data.imageWidth = width;
    data.imageHeight = height;
    texture->targetKey_.SetFormat("%lx:tex:r", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(texture.get())));
    if (TAssetManager* manager = GetAssetManager()) manager->StoreAsset(texture->targetKey_, texture);
    return texture;
}

void RegisterTextureAssetKinds() {
    TAssetKind kind;
    kind.classId = TTexture::ClassId();
    kind.makeKey = [](const TString& fileName, const TString&) {
        return TTexture::MakeAssetKey(fileName, false, false, false);
    };
    kind.load = [](const TString& fileName, const TString&) -> std::shared_ptr<TAsset> {
        return TTexture::Get(fileName);
    };
    RegisterAssetKind("png", kind);
    RegisterAssetKind("jpg", kind);
}
