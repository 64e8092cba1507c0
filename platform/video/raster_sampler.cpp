#include "platform/video/raster_sampler.h"

namespace platform::video::raster {

Sampler MakeSampler(const Pipeline& p, double rho) {
  Sampler s;
  const Surface* level = p.texture;
  if (!level) return s;
  bool minifying = rho > 1.0 + 1.0e-9;
  if (minifying && p.mipFilter != filter::kMipNone) {
    while (rho >= 2.0 && level->NextMipLevel()) {
      level = level->NextMipLevel().get();
      rho /= 2.0;
    }
  }
  s.texture = level;
  s.width = level->Width();
  s.height = level->Height();
  s.linear = (minifying ? p.minFilter : p.magFilter) >= filter::kLinear;
  s.direct32 = level->Format() == kA8R8G8B8 || level->Format() == kX8R8G8B8;
  s.alphaOr = level->Format().HasAlpha() ? 0 : 0xFF000000;
  s.base = level->Row(0);
  s.pitch = level->Pitch();
  s.addressU = p.addressU;
  s.addressV = p.addressV;
  return s;
}

}  // namespace platform::video::raster
