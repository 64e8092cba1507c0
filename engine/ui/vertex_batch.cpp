#include "engine/ui/vertex_batch.h"

namespace {

constexpr float kQuadDepth = 0.1f;
constexpr float kQuadRhw = 0.5f;

// value x 255, truncated toward zero and clamped to a byte.
uint8_t ChannelByte(float value) {
    float scaled = value * 255.0f;
    if (!(scaled > 0.0f)) return 0;  // also NaN
    if (scaled >= 255.0f) return 255;
    return static_cast<uint8_t>(scaled);
}

}  // namespace

void BuildQuadVertices(const TVec2& offset, TVertex out[4], TVec2 corners[4], const TQuadUv& uv,
                       const TMat3& transform, float alpha, const float rgb[3]) {
    const TColor diffuse = TColor::FromBytes(ChannelByte(rgb[0]), ChannelByte(rgb[1]), ChannelByte(rgb[2]),
                                             ChannelByte(alpha));
    const TColor specular = TColor::FromBytes(0, 0, 0, 255);
    const TVec2 uvs[4] = {{uv.left, uv.top}, {uv.right, uv.top}, {uv.right, uv.bottom}, {uv.left, uv.bottom}};
    for (int i = 0; i < 4; ++i) {
        corners[i] = transform.Transform(corners[i]);
        out[i] = TVertex();
        out[i].position = TVec3(corners[i] + offset, kQuadDepth);
        out[i].rhw = kQuadRhw;
        out[i].diffuse = diffuse;
        out[i].specular = specular;
        out[i].uv = uvs[i];
    }
}
