// TVertex: the vertex every drawing call hands to the renderer, and the vertex set of a draw.
#pragma once

#include <cstdint>

#include "engine/core/base/color.h"
#include "engine/core/base/maths.h"

// 32 bytes, laid out as the device's vertex formats: kinds 1 and 2 are untransformed (rhw unused), kind 3 is
// pre-transformed screen coordinates with rhw, other kinds carry a normal in rhw's place and are lit.
struct TVertex {
    TVec3 position;
    float rhw = 0.0f;
    TColor diffuse;
    TColor specular;
    TVec2 uv;
};
static_assert(sizeof(TVertex) == 32, "TVertex must match the device's 32-byte vertex formats");

struct TVertexSet {
    int kind = 2;
    const TVertex* vertices = nullptr;
    int count = 0;
};

// Direct3D primitive types.
enum TPrimitiveType : uint32_t {
    PrimitiveLineList = 2,
    PrimitiveTriangleList = 4,
    PrimitiveTriangleStrip = 5,
    PrimitiveTriangleFan = 6,
};

enum TCullMode : int32_t {
    CullNone = 1,
    CullClockwise = 2,
    CullCounterClockwise = 3,
};
