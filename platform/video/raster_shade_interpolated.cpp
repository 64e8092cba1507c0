// Runs of colour interpolated between the vertices, textured or not.
#include "platform/video/raster_shade_run.h"

namespace platform::video::raster {

template void ShadeRunWith<false, true>(const Shader& s, int y, int x0, int x1, Attributes at,
                                          const Attributes& dx, uint32_t diffuse, uint32_t specular);
template void ShadeRunWith<false, false>(const Shader& s, int y, int x0, int x1, Attributes at,
                                          const Attributes& dx, uint32_t diffuse, uint32_t specular);

}  // namespace platform::video::raster
