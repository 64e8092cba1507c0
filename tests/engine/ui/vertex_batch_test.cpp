#include <gtest/gtest.h>

#include "engine/ui/vertex_batch.h"

namespace {

struct ColourCase {
    float alpha;
    float rgb[3];
    uint8_t bytes[4];  // red, green, blue, alpha
};

TEST(QuadVerticesTest, ColourAndAlphaBecomeClampedBytes) {
    const ColourCase cases[] = {
        {1.0f, {1.0f, 0.5f, 0.0f}, {255, 127, 0, 255}},
        {1.5f, {1.004f, 2.0f, 0.999f}, {255, 255, 254, 255}},
        {-0.2f, {-0.5f, 0.25f, 0.1f}, {0, 63, 25, 0}},
        {0.5f, {0.0f, 0.0f, 0.0f}, {0, 0, 0, 127}},
    };
    for (const ColourCase& c : cases) {
        TVec2 corners[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        TVertex out[4];
        BuildQuadVertices(TVec2(), out, corners, TQuadUv(), TMat3(), c.alpha, c.rgb);
        for (const TVertex& v : out) {
            EXPECT_EQ(v.diffuse, TColor::FromBytes(c.bytes[0], c.bytes[1], c.bytes[2], c.bytes[3])) << c.alpha;
            EXPECT_EQ(v.specular, TColor::FromBytes(0, 0, 0, 255));
        }
    }
}

TEST(QuadVerticesTest, CornersAreTransformedInPlaceAndMovedByTheOffset) {
    TVec2 corners[4] = {{0, 0}, {10, 0}, {10, 20}, {0, 20}};
    TMat3 transform;
    transform.Scale(2.0f);
    transform.m[6] = 5.0f;
    transform.m[7] = 7.0f;
    const float white[3] = {1, 1, 1};
    TVertex out[4];
    BuildQuadVertices(TVec2(100, 200), out, corners, TQuadUv{0.1f, 0.2f, 0.3f, 0.4f}, transform, 1.0f, white);

    const TVec2 moved[4] = {{5, 7}, {25, 7}, {25, 47}, {5, 47}};
    const TVec2 uvs[4] = {{0.1f, 0.2f}, {0.3f, 0.2f}, {0.3f, 0.4f}, {0.1f, 0.4f}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(corners[i], moved[i]) << i;
        EXPECT_EQ(out[i].position.x, moved[i].x + 100) << i;
        EXPECT_EQ(out[i].position.y, moved[i].y + 200) << i;
        EXPECT_FLOAT_EQ(out[i].position.z, 0.1f);
        EXPECT_FLOAT_EQ(out[i].rhw, 0.5f);
        EXPECT_EQ(out[i].uv, uvs[i]) << i;
    }
}

TEST(VertexBatchTest, HolderOwnsTheRecordOfEachKind) {
    TVertex vertices[6];
    VertexBatch::Holder holder;
    VertexBatch::MakeKind2(holder, vertices, 6);
    EXPECT_EQ(holder->kind, 2);
    VertexBatch::SetCount(holder, 3);
    TVertexSet set = holder->AsSet();
    EXPECT_EQ(set.kind, 2);
    EXPECT_EQ(set.vertices, vertices);
    EXPECT_EQ(set.count, 3);
    VertexBatch::MakeKind3(holder, vertices, 4);
    EXPECT_EQ(holder->kind, 3);
    VertexBatch::Free(holder);
    EXPECT_EQ(holder, nullptr);
}

}  // namespace
