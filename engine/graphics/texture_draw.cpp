// TTexture's drawing: one textured quad placed by a sprite draw state.
#include <memory>
#include <utility>

#include "engine/core/base/color.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/sprite_state.h"
#include "engine/graphics/texture.h"

void TTexture::Draw(const TSpriteState& state) {
    TRenderer* renderer = TRenderer::Get();
    if (!renderer->IsDrawing() || IsSimple()) return;
    const TTextureData& data = GetTextureData();
    if (data.width == 0 || data.height == 0) return;
    std::shared_ptr<TTexture> self = std::static_pointer_cast<TTexture>(weak_from_this().lock());
    if (!self) return;

    bool useSource = state.flags & TSpriteState::kUseSourceRect;
    TRect source = useSource ? state.sourceRect : TRect(0, 0, data.imageWidth, data.imageHeight);
    float w = static_cast<float>(source.Width());
    float h = static_cast<float>(source.Height());
    TVec2 origin = (state.flags & TSpriteState::kUseAnchor) ? -state.anchor : TVec2(-w * 0.5f, -h * 0.5f);

    float u0 = source.left / static_cast<float>(data.width);
    float u1 = source.right / static_cast<float>(data.width);
    float v0 = source.top / static_cast<float>(data.height);
    float v1 = source.bottom / static_cast<float>(data.height);
    if (state.flags & TSpriteState::kMirrorX) std::swap(u0, u1);
    if (state.flags & TSpriteState::kMirrorY) std::swap(v0, v1);

    const float corners[4][4] = {{0, 0, u0, v0}, {w, 0, u1, v0}, {w, h, u1, v1}, {0, h, u0, v1}};
    TColor diffuse(state.colour[0], state.colour[1], state.colour[2], state.alpha * state.colour[3]);
    TVertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        TVec2 at = state.transform.Transform(origin + TVec2(corners[i][0], corners[i][1]));
        vertices[i].position = TVec3(at, 0.1f);
        vertices[i].rhw = 0.5f;
        vertices[i].diffuse = diffuse;
        vertices[i].specular = TColor();
        vertices[i].uv = TVec2(corners[i][2], corners[i][3]);
    }
    renderer->SetTexture(self);
    if (state.mode >= 0) renderer->SetBlendMode(static_cast<TBlendMode>(state.mode));
    renderer->DrawVertices(PrimitiveTriangleFan, TVertexSet{2, vertices, 4});
}

void TTexture::DrawAt(float x, float y, float scaleX, float scaleY, float angle, const TColor& colour) {
    if (!TRenderer::Get()->IsDrawing()) return;
    TSpriteState state(TVec2(x, y));
    state.transform.Scale(scaleX, scaleY);
    state.transform.Rotate(angle);
    state.colour[0] = colour.R() / 255.0f;
    state.colour[1] = colour.G() / 255.0f;
    state.colour[2] = colour.B() / 255.0f;
    state.colour[3] = colour.A() / 255.0f;
    Draw(state);
}
