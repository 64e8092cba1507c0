// Loading a picture into texture data: options, extension search, decoding, mask merge and the
// surface size.
#include <cstring>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/graphics/image_decode.h"
#include "engine/graphics/texture.h"
#include "engine/graphics/texture_display.h"

namespace {

constexpr int kMaxTextureSide = 1024;

// Options after "?" set flags; the name is cut at the "?".
void TakeOptions(TTextureData* data, TString* name) {
    int question = name->FindChar('?');
    if (question < 0) return;
    TString options = name->Mid(question + 1);
    *name = name->Mid(0, question);
    if (options.Find("slow") >= 0) data->flags |= kTextureSlow | kTextureSimple;
    if (options.Find("simple") >= 0) data->flags |= kTextureSimple;
    if (options.Find("alpha") >= 0) data->flags = (data->flags | kTextureAlpha) & ~kTextureAlphaByImage;
    if (options.Find("mipmap") >= 0) data->flags |= kTextureMipmap;
}

bool HasPictureExtension(const TString& name) {
    return name.Find(".png") >= 0 || name.Find(".jpg") >= 0 || name.Find(".jp2") >= 0;
}

// The decoder chosen by the first of ".png", ".jpg", ".jp2" the name contains.
bool DecodeByName(const TString& name, TDecodedImage* image) {
    if (name.Find(".png") >= 0) return DecodePng(name, image);
    if (name.Find(".jpg") >= 0) return DecodeJpeg(name, image);
    if (name.Find(".jp2") >= 0) return DecodeJpeg2000(name, image);
    return false;
}

void SetAlphaFlag(TTextureData* data, bool on) {
    if (on) data->flags |= kTextureAlpha;
    else data->flags &= ~kTextureAlpha;
}

// With "automergemask", a JPEG takes "<name>.mask.png" beside it as its mask.
void FindAutomaticMask(TTextureData* data, const TString& name, TString* maskName) {
    if (!IsEnabled("automergemask")) return;
    TString candidate = name.Mid(0, name.Find(".jpg")) + ".mask.png";
    if (!FileExists(candidate)) return;
    if (data->flags & kTextureAlphaByImage) data->flags |= kTextureAlpha;
    *maskName = candidate;
}

// The mask's red channel becomes the picture's alpha, over the whole square buffer; a mask of
// another size is ignored.
void MergeMask(TDecodedImage* image, const TDecodedImage& mask) {
    if (mask.side != image->side) return;
    size_t count = static_cast<size_t>(image->side) * image->side;
    uint8_t* to = reinterpret_cast<uint8_t*>(image->pixels.get());
    const uint8_t* from = reinterpret_cast<const uint8_t*>(mask.pixels.get());
    for (size_t i = 0; i < count; ++i) to[4 * i + 3] = from[4 * i + 2];
}

bool LoadResolved(TTextureData* data, const TString& name, TString maskName) {
    if (!maskName.IsEmpty() && !FileExists(maskName)) {
        if (FileExists(maskName + ".png")) maskName += ".png";
        else if (FileExists(maskName + ".jpg")) maskName += ".jpg";
    }
    bool isJpeg = name.Find(".png") < 0 && name.Find(".jpg") >= 0;
    if (isJpeg) FindAutomaticMask(data, name, &maskName);

    TDecodedImage image;
    if (!DecodeByName(name, &image)) {
        LogPrintf("Failed to decode picture %s", name.CStr());  // a damaged file: say which
        return false;
    }
    if (!isJpeg && (data->flags & kTextureAlphaByImage)) SetAlphaFlag(data, image.hasAlpha);
    if (!maskName.IsEmpty()) {
        TDecodedImage mask;
        if (!DecodeByName(maskName, &mask)) {
            if (FileExists(maskName)) LogPrintf("Failed to decode picture %s", maskName.CStr());
            return false;
        }
        MergeMask(&image, mask);
    }

    bool square = !(data->flags & kTextureSimple) && GetTextureDisplay().RequiresSquareTextures();
    int surfaceWidth = image.side;
    int surfaceHeight = square ? image.side : ImageSide(1, image.height);
    if ((surfaceWidth > kMaxTextureSide || surfaceHeight > kMaxTextureSide) && !(data->flags & kTextureSlow))
        return false;

    data->fileName = name;
    data->maskName = maskName;
    bool created = data->Create(surfaceWidth, surfaceHeight, false);
    data->imageWidth = image.width;
    data->imageHeight = image.height;
    data->borderX = (static_cast<int>(data->width) - image.width) / 2;
    data->borderY = (static_cast<int>(data->height) - image.height) / 2;
    if (created) data->SetPixels(image.side, 0, image.pixels.get());
    return true;
}

}  // namespace

bool LoadTextureData(TTextureData* data, TString name, TString maskName) {
    TakeOptions(data, &name);
    if (FileExists(name)) return LoadResolved(data, name, maskName);
    if (HasPictureExtension(name)) return false;
    for (const char* extension : {".png", ".jpg", ".jp2"})
        if (LoadTextureData(data, name + extension, maskName)) return true;
    return false;
}
