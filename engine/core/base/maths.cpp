#include "engine/core/base/maths.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

float TVec2::Length() const {
    return std::sqrt(LengthSquared());
}

void TVec2::Normalize() {
    float length = Length();
    if (length != 0.0f) {
        x /= length;
        y /= length;
    }
}

float TVec3::Length() const {
    return std::sqrt(LengthSquared());
}

TMat3::TMat3(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8} {}

TVec2 TMat3::Transform(const TVec2& p) const {
    return TVec2(p.x * m[0] + p.y * m[3] + m[6], p.x * m[1] + p.y * m[4] + m[7]);
}

TMat3 TMat3::Multiply(const TMat3& a, const TMat3& b) {
    TMat3 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r.m[i * 3 + j] = a.m[i * 3] * b.m[j] + a.m[i * 3 + 1] * b.m[3 + j] + a.m[i * 3 + 2] * b.m[6 + j];
        }
    }
    return r;
}

void TMat3::Rotate(float angle) {
    float c = std::cos(angle);
    float s = std::sin(angle);
    // Each linear row (a, b) times the rotation rows (c, s) and (-s, c); the translation row stays.
    for (int row = 0; row < 2; ++row) {
        float a = m[row * 3];
        float b = m[row * 3 + 1];
        m[row * 3] = a * c - b * s;
        m[row * 3 + 1] = a * s + b * c;
    }
}

void TMat3::Scale(float sx, float sy) {
    for (int row = 0; row < 2; ++row) {
        m[row * 3] *= sx;
        m[row * 3 + 1] *= sy;
    }
}

bool TMat3::operator==(const TMat3& other) const {
    return std::equal(std::begin(m), std::end(m), std::begin(other.m));
}

TMat4::TMat4(const float values[16]) {
    std::copy(values, values + 16, m);
}

void TMat4::SetIdentity() {
    *this = TMat4();
}

void TMat4::Translate(const TVec3& v) {
    m[12] += v.x;
    m[13] += v.y;
    m[14] += v.z;
}

TMat4 TMat4::Multiply(const TMat4& a, const TMat4& b) {
    TMat4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[i * 4 + k] * b.m[k * 4 + j];
            }
            r.m[i * 4 + j] = sum;
        }
    }
    return r;
}

void TMat4::RotateAxis(float angle, const TVec3& axis) {
    float c = std::cos(angle);
    float s = std::sin(angle);
    float t = 1.0f - c;
    float x = axis.x, y = axis.y, z = axis.z;
    const float rotation[16] = {
        t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0,
        t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0,
        t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0,
        0,                 0,                 0,                 1,
    };
    *this = Multiply(*this, TMat4(rotation));
}

void TMat4::RotateEuler(float x, float y, float z) {
    RotateAxis(x, TVec3(1, 0, 0));
    RotateAxis(y, TVec3(0, 1, 0));
    RotateAxis(z, TVec3(0, 0, 1));
}

namespace {

// Shift of the vanishing point for one offset component, signed as given; an offset of
// magnitude 1 would divide by zero and gives the limit -10,000 instead.
float VanishingShift(float signedOffset, float offset) {
    float magnitude = std::fabs(offset);
    return magnitude == 1.0f ? -10000.0f : signedOffset / (1.0f - magnitude);
}

}  // namespace

void TMat4::SetPerspective(float nearZ, float farZ, float fov, float aspect, const TVec2& offset) {
    std::fill(std::begin(m), std::end(m), 0.0f);
    float cotangent = 1.0f / std::tan(fov / 2.0f);
    m[0] = cotangent * aspect;
    m[5] = cotangent;
    m[8] = VanishingShift(-offset.x, offset.x);
    m[9] = VanishingShift(offset.y, offset.y);
    m[10] = farZ / (farZ - nearZ);
    m[11] = 1.0f;
    m[14] = -nearZ * farZ / (farZ - nearZ);
}

bool TMat4::operator==(const TMat4& other) const {
    return std::equal(std::begin(m), std::end(m), std::begin(other.m));
}

TRect TRect::Union(const TRect& a, const TRect& b) {
    return TRect(std::min(a.left, b.left), std::min(a.top, b.top),
                 std::max(a.right, b.right), std::max(a.bottom, b.bottom));
}

TRect TRect::Intersect(const TRect& a, const TRect& b) {
    return TRect(std::max(a.left, b.left), std::max(a.top, b.top),
                 std::min(a.right, b.right), std::min(a.bottom, b.bottom));
}

void TRect::Validate() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}
