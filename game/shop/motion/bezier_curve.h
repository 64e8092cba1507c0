// clsBezierCurve: a cubic Bezier curve of four 3-D control points, evaluated in single precision
// through its power-basis coefficients (computed once per set of points).
#pragma once

#include "engine/core/base/maths.h"

class clsBezierCurve {
public:
    // points: P0..P3 as x, y, z each.
    void SetPoints(const float points[12]);
    TVec3 Evaluate(float t) const;
    const float* GetPoints() const { return points_; }

private:
    float points_[12] = {};
    // A·t³ + B·t² + C·t + D per component.
    TVec3 a_, b_, c_, d_;
};
