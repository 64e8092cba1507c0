// Small value types for positions, directions and transforms. All components are 32-bit floats,
// matrices are row-major and use the row-vector convention (a point is a row multiplied on the left).
#pragma once

#include <cstdint>

struct TVec2 {
    float x = 0.0f;
    float y = 0.0f;

    TVec2() = default;
    TVec2(float x, float y) : x(x), y(y) {}
    explicit TVec2(const float* xy) : x(xy[0]), y(xy[1]) {}

    TVec2& operator+=(const TVec2& v) { x += v.x; y += v.y; return *this; }
    TVec2& operator-=(const TVec2& v) { x -= v.x; y -= v.y; return *this; }
    TVec2& operator*=(float s) { x *= s; y *= s; return *this; }
    TVec2& operator/=(float s) { x /= s; y /= s; return *this; }

    TVec2 operator-() const { return TVec2(-x, -y); }
    TVec2 operator+(const TVec2& v) const { return TVec2(x + v.x, y + v.y); }
    TVec2 operator-(const TVec2& v) const { return TVec2(x - v.x, y - v.y); }
    TVec2 operator*(float s) const { return TVec2(x * s, y * s); }
    bool operator==(const TVec2& v) const { return x == v.x && y == v.y; }
    bool operator!=(const TVec2& v) const { return !(*this == v); }

    float Dot(const TVec2& v) const { return x * v.x + y * v.y; }
    float LengthSquared() const { return x * x + y * y; }
    float Length() const;
    // Scales to length 1; a zero vector stays unchanged.
    void Normalize();
};

struct TVec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    TVec3() = default;
    TVec3(float x, float y, float z) : x(x), y(y), z(z) {}
    TVec3(const TVec2& xy, float z) : x(xy.x), y(xy.y), z(z) {}

    float Dot(const TVec3& v) const { return x * v.x + y * v.y + z * v.z; }
    float LengthSquared() const { return x * x + y * y + z * z; }
    float Length() const;
};

struct TVec4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    TVec4() = default;
    TVec4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}
    TVec4(const TVec3& xyz, float w) : x(xyz.x), y(xyz.y), z(xyz.z), w(w) {}

    TVec4& operator+=(const TVec4& v) { x += v.x; y += v.y; z += v.z; w += v.w; return *this; }
};

// A 2-D affine transform: rows 0 and 1 hold the linear part, row 2 the translation (m[6], m[7]).
struct TMat3 {
    float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

    TMat3() = default;
    TMat3(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8);

    TVec2 Transform(const TVec2& point) const;
    static TMat3 Multiply(const TMat3& a, const TMat3& b);
    // Post-multiply by a rotation (radians) or a scale; the translation row is kept.
    void Rotate(float angle);
    void Scale(float sx, float sy);
    void Scale(float s) { Scale(s, s); }

    bool operator==(const TMat3& other) const;
};

// A 3-D transform in the Direct3D convention: the translation is row 3 (m[12], m[13], m[14]).
struct TMat4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    TMat4() = default;
    explicit TMat4(const float values[16]);

    float At(int row, int column) const { return m[row * 4 + column]; }

    void SetIdentity();
    void Translate(const TVec3& v);
    static TMat4 Multiply(const TMat4& a, const TMat4& b);
    // Post-multiply by a rotation about axis (used as given, not normalised).
    void RotateAxis(float angle, const TVec3& axis);
    void RotateZ(float angle) { RotateAxis(angle, TVec3(0, 0, 1)); }
    // Post-multiply by the rotations about x, then y, then z.
    void RotateEuler(float x, float y, float z);
    // Left-handed perspective projection whose vanishing point is moved by offset.
    void SetPerspective(float nearZ, float farZ, float fov, float aspect, const TVec2& offset);

    bool operator==(const TMat4& other) const;
};

// An integer point: screen pixels, or a window's own coordinates in its mouse handlers.
struct TPoint {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const TPoint& other) const { return x == other.x && y == other.y; }
};

// An integer rectangle; right and bottom are exclusive.
struct TRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    TRect() = default;
    TRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
        : left(left), top(top), right(right), bottom(bottom) {}

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Contains(TPoint point) const { return Contains(point.x, point.y); }
    // The smaller left/top and larger right/bottom of both.
    static TRect Union(const TRect& a, const TRect& b);
    // The larger left/top and smaller right/bottom of both (may come out empty or reversed).
    static TRect Intersect(const TRect& a, const TRect& b);
    // Swaps left/right and top/bottom when they are reversed.
    void Validate();

    bool operator==(const TRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const TRect& o) const { return !(*this == o); }
};
