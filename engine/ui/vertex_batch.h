// VertexBatch: an owned description of vertices for TRenderer::DrawVertices; BuildQuadVertices:
// the four screen vertices of a textured, coloured quad.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "engine/graphics/vertex.h"

struct VertexBatch {
    int kind = 0;
    TVertex* vertices = nullptr;  // not owned
    int count = 0;

    using Holder = std::unique_ptr<VertexBatch>;

    // Kind 1 and 2: untransformed positions; kind 3: screen positions with rhw.
    static void MakeKind1(Holder& holder, TVertex* vertices, int count) { Make(holder, 1, vertices, count); }
    static void MakeKind2(Holder& holder, TVertex* vertices, int count) { Make(holder, 2, vertices, count); }
    static void MakeKind3(Holder& holder, TVertex* vertices, int count) { Make(holder, 3, vertices, count); }
    static void SetCount(Holder& holder, int count) { holder->count = count; }
    static void Free(Holder& holder) { holder.reset(); }

    TVertexSet AsSet() const { return TVertexSet{kind, vertices, count}; }

private:
    static void Make(Holder& holder, int kind, TVertex* vertices, int count) {
        holder = std::make_unique<VertexBatch>(VertexBatch{kind, vertices, count});
    }
};

// Texture coordinates of a quad: left u, top v, right u, bottom v.
struct TQuadUv {
    float left = 0.0f;
    float top = 0.0f;
    float right = 1.0f;
    float bottom = 1.0f;
};

// Fills out[4]: each corner is transformed in place (the caller's array changes), moved by the
// offset, at depth 0.1 with rhw 0.5; alpha and the colour's red, green and blue (0..1) become
// bytes clamped to 0..255; specular is opaque black; uv runs (l,t) (r,t) (r,b) (l,b).
void BuildQuadVertices(const TVec2& offset, TVertex out[4], TVec2 corners[4], const TQuadUv& uv,
                       const TMat3& transform, float alpha, const float rgb[3]);
