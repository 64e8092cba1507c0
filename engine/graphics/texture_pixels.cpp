// TDxTextureData: pixels in and out of the surface, converted through its channel masks.
#include <algorithm>

#include "engine/graphics/texture_data.h"

namespace {

// One mip level from the level above: the 2 x 2 box average, or its top-left pixel (point).
void Downsample(const platform::video::Surface& from, platform::video::Surface& to, bool linear) {
    for (int y = 0; y < to.Height(); ++y) {
        for (int x = 0; x < to.Width(); ++x) {
            int x0 = std::min(2 * x, from.Width() - 1), x1 = std::min(2 * x + 1, from.Width() - 1);
            int y0 = std::min(2 * y, from.Height() - 1), y1 = std::min(2 * y + 1, from.Height() - 1);
            uint32_t result = from.Pixel(x0, y0);
            if (linear) {
                uint32_t p[4] = {from.Pixel(x0, y0), from.Pixel(x1, y0), from.Pixel(x0, y1), from.Pixel(x1, y1)};
                result = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    uint32_t sum = 2;  // rounds the average
                    for (uint32_t v : p) sum += (v >> shift) & 0xFF;
                    result |= (sum / 4) << shift;
                }
            }
            to.SetRawPixel(x, y, platform::video::PackColor(to.Format(), result));
        }
    }
}

}  // namespace

bool TDxTextureData::SetPixels(int sourceWidth, int filter, const uint32_t* pixels) {
    if (!surface_ || !pixels || sourceWidth <= 0) return false;
    WritePixels(*surface_, sourceWidth, pixels);
    if (madeByUtility_) FillMipLevels(filter);
    return true;
}

// Each pixel packed at the surface's masks; alpha only for textures with the alpha flag.
void TDxTextureData::WritePixels(platform::video::Surface& surface, int sourceWidth, const uint32_t* pixels) {
    uint8_t* bits = nullptr;
    int pitch = 0;
    if (platform::video::Failed(surface.Lock(nullptr, &bits, &pitch))) return;
    const platform::video::PixelFormat& format = surface.Format();
    uint32_t keep = (flags & kTextureAlpha) ? 0xFFFFFFFFu : 0x00FFFFFFu;
    int columns = std::min(sourceWidth, surface.Width());
    if (format.bits == 16 || format.bits == 32) {
        for (int y = 0; y < surface.Height(); ++y) {
            const uint32_t* row = pixels + static_cast<size_t>(y) * sourceWidth;
            for (int x = 0; x < columns; ++x)
                surface.SetRawPixel(x, y, platform::video::PackColor(format, row[x] & keep));
        }
    }
    surface.Unlock();
}

void TDxTextureData::FillMipLevels(int filter) {
    for (platform::video::Surface* level = surface_.get(); level->NextMipLevel(); level = level->NextMipLevel().get())
        Downsample(*level, *level->NextMipLevel(), filter != 0);
}

bool TDxTextureData::GetPixels(int w, int h, uint32_t* dest) {
    if (!surface_ || surface_->IsLost() != platform::video::kOk) return false;
    int rows = std::min(h, surface_->Height()), columns = std::min(w, surface_->Width());
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x) dest[static_cast<size_t>(y) * w + x] = surface_->Pixel(x, y);
    return true;
}

bool TDxTextureData::Lock(uint32_t** pixels, int* pitch) {
    if (!surface_ || locked_ || lockBuffer_) return false;
    if (surface_->Format() == platform::video::kA8R8G8B8) {
        uint8_t* bits = nullptr;
        int bytePitch = 0;
        if (platform::video::Failed(surface_->Lock(nullptr, &bits, &bytePitch))) return false;
        *pixels = reinterpret_cast<uint32_t*>(bits);
        *pitch = bytePitch / 4;
        locked_ = true;
        return true;
    }
    // Other formats lend a converted copy, written back by Unlock.
    lockBuffer_.reset(new uint32_t[static_cast<size_t>(width) * height]());
    if (!GetPixels(static_cast<int>(width), static_cast<int>(height), lockBuffer_.get())) {
        lockBuffer_.reset();
        return false;
    }
    *pixels = lockBuffer_.get();
    *pitch = static_cast<int>(width);
    return true;
}

void TDxTextureData::Unlock() {
    if (lockBuffer_) {
        SetPixels(static_cast<int>(width), 0, lockBuffer_.get());
        lockBuffer_.reset();
    } else if (locked_) {
        surface_->Unlock();
        locked_ = false;
    }
}
