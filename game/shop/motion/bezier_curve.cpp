#include "game/shop/motion/bezier_curve.h"

#include <algorithm>

namespace {

TVec3 Point(const float* points, int index) {
    return TVec3(points[index * 3], points[index * 3 + 1], points[index * 3 + 2]);
}

// Each coefficient component from the four control point components, in float.
float CubicA(float p0, float p1, float p2, float p3) { return -p0 + 3.0f * p1 - 3.0f * p2 + p3; }
float CubicB(float p0, float p1, float p2) { return 3.0f * p0 - 6.0f * p1 + 3.0f * p2; }
float CubicC(float p0, float p1) { return 3.0f * p1 - 3.0f * p0; }

float PowerBasis(float a, float b, float c, float d, float t, float t2, float t3) {
    return a * t3 + b * t2 + c * t + d;
}

}  // namespace

void clsBezierCurve::SetPoints(const float points[12]) {
    std::copy(points, points + 12, points_);
    TVec3 p0 = Point(points_, 0), p1 = Point(points_, 1), p2 = Point(points_, 2), p3 = Point(points_, 3);
    a_ = TVec3(CubicA(p0.x, p1.x, p2.x, p3.x), CubicA(p0.y, p1.y, p2.y, p3.y), CubicA(p0.z, p1.z, p2.z, p3.z));
    b_ = TVec3(CubicB(p0.x, p1.x, p2.x), CubicB(p0.y, p1.y, p2.y), CubicB(p0.z, p1.z, p2.z));
    c_ = TVec3(CubicC(p0.x, p1.x), CubicC(p0.y, p1.y), CubicC(p0.z, p1.z));
    d_ = p0;
}

TVec3 clsBezierCurve::Evaluate(float t) const {
    float t2 = t * t;
    float t3 = t2 * t;
    return TVec3(PowerBasis(a_.x, b_.x, c_.x, d_.x, t, t2, t3), PowerBasis(a_.y, b_.y, c_.y, d_.y, t, t2, t3),
                 PowerBasis(a_.z, b_.z, c_.z, d_.z, t, t2, t3));
}
