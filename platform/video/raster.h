// Scan conversion and per-pixel work of the device: triangles, lines and the axis-aligned quad fast path.
#pragma once

#include <cstdint>

#include "platform/video/surface.h"
#include "platform/video/video.h"

namespace platform::video::raster {

// A vertex in screen space: x, y in pixels (centres at integers), z in [0, 1], colours as 0..255 floats.
struct ScreenVertex {
  float x, y, z;
  float a, r, g, b;
  float sr, sg, sb;
  double u, v;
  uint32_t diffuse, specular;  // the packed colours the floats came from
};

// Device state resolved for one primitive batch.
struct Pipeline {
  Surface* target = nullptr;
  Surface* depth = nullptr;  // null: no depth test or write
  const Surface* texture = nullptr;
  uint32_t colorOp, colorArg1, colorArg2, alphaOp, alphaArg1, alphaArg2;
  uint32_t textureFactor;
  uint32_t addressU, addressV, magFilter, minFilter, mipFilter;
  bool alphaTest;
  uint32_t alphaFunc, alphaRef;
  bool blend;
  uint32_t srcBlend, destBlend;
  bool depthWrite;
  uint32_t depthFunc;
  bool specular;
  bool flat;
  uint32_t cullMode;
  Rect scissor;
};

// Each adds the pixels it touched to *touched (a bounding box).
void DrawTriangle(const Pipeline& p, const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2,
                  Rect* touched);
void DrawLine(const Pipeline& p, const ScreenVertex& a, const ScreenVertex& b, Rect* touched);
void DrawPoint(const Pipeline& p, const ScreenVertex& v, Rect* touched);
// Draws two triangles forming an axis-aligned rectangle with uniform colour and texture coordinates that follow the
// axes; false (nothing drawn) when the corners do not qualify, the caller then draws the triangles.
bool DrawAxisAlignedQuad(const Pipeline& p, const ScreenVertex corners[4], Rect* touched);

}  // namespace platform::video::raster
