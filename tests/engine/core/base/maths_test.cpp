#include "engine/core/base/maths.h"
#include "engine/core/base/color.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr float kPi = 3.14159265358979f;

TEST(Vec2, ArithmeticAndLength) {
    TVec2 a(3, 4);
    EXPECT_EQ(a.Length(), 5.0f);
    EXPECT_EQ(a.LengthSquared(), 25.0f);
    EXPECT_EQ(a + TVec2(1, 1), TVec2(4, 5));
    EXPECT_EQ(a - TVec2(1, 1), TVec2(2, 3));
    EXPECT_EQ(-a, TVec2(-3, -4));
    EXPECT_EQ(a * 2.0f, TVec2(6, 8));
    EXPECT_EQ(a.Dot(TVec2(2, -1)), 2.0f);
    TVec2 b = a;
    b /= 2.0f;
    EXPECT_EQ(b, TVec2(1.5f, 2.0f));
    EXPECT_NE(a, b);
    const float raw[2] = {7, 8};
    EXPECT_EQ(TVec2(raw), TVec2(7, 8));
}

TEST(Vec2, NormalizeKeepsZeroVector) {
    TVec2 zero;
    zero.Normalize();
    EXPECT_EQ(zero, TVec2(0, 0));
    TVec2 v(3, 4);
    v.Normalize();
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);
}

TEST(Mat3, TransformRotateScale) {
    TMat3 m;
    m.Rotate(kPi / 2);
    TVec2 p = m.Transform(TVec2(1, 0));
    EXPECT_NEAR(p.x, 0.0f, 1e-6);
    EXPECT_NEAR(p.y, 1.0f, 1e-6);

    // Translation row survives rotation and scaling.
    TMat3 t(1, 0, 0, 0, 1, 0, 10, 20, 1);
    t.Scale(2, 3);
    t.Rotate(kPi);
    p = t.Transform(TVec2(1, 1));
    EXPECT_NEAR(p.x, 10 - 2, 1e-5);
    EXPECT_NEAR(p.y, 20 - 3, 1e-5);
}

TEST(Mat3, MultiplyComposesLeftToRight) {
    TMat3 scale(2, 0, 0, 0, 2, 0, 0, 0, 1);
    TMat3 move(1, 0, 0, 0, 1, 0, 5, 6, 1);
    // Row vectors: scale first, then move.
    TVec2 p = TMat3::Multiply(scale, move).Transform(TVec2(1, 1));
    EXPECT_EQ(p, TVec2(7, 8));
    p = TMat3::Multiply(move, scale).Transform(TVec2(1, 1));
    EXPECT_EQ(p, TVec2(12, 14));
}

TEST(Mat4, MultiplyAndTranslate) {
    float a[16], b[16];
    for (int i = 0; i < 16; ++i) {
        a[i] = static_cast<float>(i + 1);
        b[i] = static_cast<float>(16 - i);
    }
    TMat4 r = TMat4::Multiply(TMat4(a), TMat4(b));
    // Row 0 of a is (1,2,3,4); column 0 of b is (16,12,8,4).
    EXPECT_EQ(r.At(0, 0), 1 * 16 + 2 * 12 + 3 * 8 + 4 * 4);
    EXPECT_EQ(r.At(3, 2), 13 * 14 + 14 * 10 + 15 * 6 + 16 * 2);

    TMat4 m;
    m.Translate(TVec3(1, 2, 3));
    m.Translate(TVec3(1, 1, 1));
    EXPECT_EQ(m.At(3, 0), 2.0f);
    EXPECT_EQ(m.At(3, 1), 3.0f);
    EXPECT_EQ(m.At(3, 2), 4.0f);
    m.SetIdentity();
    EXPECT_EQ(m, TMat4());
}

TEST(Mat4, RotateZFollowsRowVectorConvention) {
    TMat4 m;
    m.RotateZ(kPi / 2);
    // Row vector (1, 0, 0, 1) times m: x' = m0, y' = m1.
    EXPECT_NEAR(m.At(0, 0), 0.0f, 1e-6);
    EXPECT_NEAR(m.At(0, 1), 1.0f, 1e-6);
    EXPECT_NEAR(m.At(1, 0), -1.0f, 1e-6);
    // The axis is used as given: a doubled axis scales the t terms.
    TMat4 n;
    n.RotateAxis(0.0f, TVec3(0, 0, 2));
    EXPECT_EQ(n, TMat4());
    n.RotateAxis(kPi, TVec3(0, 0, 2));
    EXPECT_NEAR(n.At(2, 2), 2 * 4 - 1, 1e-5);
}

TEST(Mat4, RotateEulerAppliesXThenYThenZ) {
    TMat4 euler;
    euler.RotateEuler(0.3f, 0.5f, 0.7f);
    TMat4 steps;
    steps.RotateAxis(0.3f, TVec3(1, 0, 0));
    steps.RotateAxis(0.5f, TVec3(0, 1, 0));
    steps.RotateAxis(0.7f, TVec3(0, 0, 1));
    EXPECT_EQ(euler, steps);
}

TEST(Mat4, PerspectiveTable) {
    struct Case {
        TVec2 offset;
        float m8, m9;
    } cases[] = {
        {TVec2(0, 0), 0, 0},
        {TVec2(1, 0), -10000, 0},
        {TVec2(-1, -1), -10000, -10000},
        {TVec2(0.5f, 0.5f), -1, 1},
        {TVec2(-0.5f, 0.25f), 1, 0.25f / 0.75f},
    };
    for (const Case& c : cases) {
        TMat4 m;
        m.SetPerspective(1, 101, kPi / 2, 0.75f, c.offset);
        SCOPED_TRACE(testing::Message() << c.offset.x << "," << c.offset.y);
        EXPECT_NEAR(m.m[0], 0.75f, 1e-6);
        EXPECT_NEAR(m.m[5], 1.0f, 1e-6);
        EXPECT_FLOAT_EQ(m.m[8], c.m8);
        EXPECT_FLOAT_EQ(m.m[9], c.m9);
        EXPECT_FLOAT_EQ(m.m[10], 101.0f / 100.0f);
        EXPECT_EQ(m.m[11], 1.0f);
        EXPECT_FLOAT_EQ(m.m[14], -101.0f / 100.0f);
        for (int i : {1, 2, 3, 4, 6, 7, 12, 13, 15}) EXPECT_EQ(m.m[i], 0.0f) << i;
    }
}

TEST(Rect, UnionIntersectValidate) {
    TRect a(0, 0, 10, 10), b(5, -5, 20, 8);
    EXPECT_EQ(TRect::Union(a, b), TRect(0, -5, 20, 10));
    EXPECT_EQ(TRect::Intersect(a, b), TRect(5, 0, 10, 8));
    EXPECT_TRUE(a.Contains(0, 0));
    EXPECT_FALSE(a.Contains(10, 5));
    TRect reversed(10, 20, 0, 5);
    reversed.Validate();
    EXPECT_EQ(reversed, TRect(0, 5, 10, 20));
}

TEST(Color, Packing) {
    EXPECT_EQ(TColor(1.0f, 0.5f, 0.0f, 1.0f).Argb(), 0xFFFF7F00u);
    EXPECT_EQ(TColor().Argb(), 0u);
    EXPECT_EQ(TColor::FromBytes(1, 2, 3, 4).Argb(), 0x04010203u);
    // Out-of-range channels are held to a byte instead of wrapping.
    EXPECT_EQ(TColor(2.0f, -1.0f, NAN, 0.999f).Argb(), 0xFEFF0000u);
    TColor c(0x11223344u);
    EXPECT_EQ(c.A(), 0x11);
    EXPECT_EQ(c.R(), 0x22);
    EXPECT_EQ(c.G(), 0x33);
    EXPECT_EQ(c.B(), 0x44);
    c.SetG(0xAB);
    c.SetA(0);
    EXPECT_EQ(c.Argb(), 0x0022AB44u);
}

}  // namespace
