#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/shop/motion/lane.h"

namespace {

// The cubic Bezier point by repeated interpolation, in double: an independent reference.
TVec3 DeCasteljau(const float p[12], double t) {
    double q[4][3];
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 3; ++c) q[i][c] = p[i * 3 + c];
    for (int level = 3; level > 0; --level)
        for (int i = 0; i < level; ++i)
            for (int c = 0; c < 3; ++c) q[i][c] = q[i][c] + (q[i + 1][c] - q[i][c]) * t;
    return TVec3(float(q[0][0]), float(q[0][1]), float(q[0][2]));
}

TEST(BezierCurveTest, PointsAlongTheCurve) {
    const float curves[][12] = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {10, 20, 0.2f, -65, 60, 0.2f, 690, 20, 0.2f, 190, 40, 0.2f},
        {-5, 7, 1, 3, -9, 2, 11, 4, -3, 6, 6, 6},
    };
    for (const auto& points : curves) {
        clsBezierCurve curve;
        curve.SetPoints(points);
        TVec3 p0(points[0], points[1], points[2]), p3(points[9], points[10], points[11]);
        TVec3 start = curve.Evaluate(0.0f), end = curve.Evaluate(1.0f), middle = curve.Evaluate(0.5f);
        EXPECT_EQ(start.x, p0.x);
        EXPECT_EQ(start.y, p0.y);
        EXPECT_EQ(start.z, p0.z);
        EXPECT_NEAR(end.x, p3.x, 1e-3);
        EXPECT_NEAR(end.y, p3.y, 1e-3);
        EXPECT_NEAR(end.z, p3.z, 1e-3);
        EXPECT_NEAR(middle.x, (points[0] + 3 * points[3] + 3 * points[6] + points[9]) / 8, 1e-3);
        EXPECT_NEAR(middle.y, (points[1] + 3 * points[4] + 3 * points[7] + points[10]) / 8, 1e-3);
        for (float t : {0.1f, 0.25f, 0.7f, 0.9f}) {
            TVec3 got = curve.Evaluate(t), want = DeCasteljau(points, t);
            EXPECT_NEAR(got.x, want.x, 1e-3) << "t " << t;
            EXPECT_NEAR(got.y, want.y, 1e-3) << "t " << t;
            EXPECT_NEAR(got.z, want.z, 1e-3) << "t " << t;
        }
    }
}

class LaneRecorder : public iLaneEvent {
public:
    void OnLaneCheck(clsSplineLane*, float x, float, float, bool* goOn) override { checks.push_back(x); }
    void OnLaneStep(clsSplineLane*, float x, float y, float z, int elapsedMs) override {
        steps.push_back(TVec3(x, y, z));
        elapsed.push_back(elapsedMs);
    }
    void OnLaneEnd(clsSplineLane*) override { ++ends; }

    std::vector<float> checks;
    std::vector<TVec3> steps;
    std::vector<int> elapsed;
    int ends = 0;
};

TEST(SplineLaneTest, TheTargetFollowsTheCurveAndHearsTheEndOnce) {
    const float line[12] = {0, 0, 0, 10, 0, 0, 20, 0, 0, 30, 30, 3};
    LaneRecorder target;
    clsSplineLane lane(&target, line, 300);
    lane.SetHandlers(clsSplineLane::kStep | clsSplineLane::kEnd);
    lane.Start();
    for (int i = 0; i < 4; ++i) lane.Update(100);
    ASSERT_EQ(target.steps.size(), 3u);
    EXPECT_NEAR(target.steps[0].x, 10, 1e-4);  // a straight run at even speed in x
    EXPECT_NEAR(target.steps[1].x, 20, 1e-4);
    EXPECT_EQ(target.steps[2].x, 30);
    EXPECT_EQ(target.steps[2].y, 30);
    EXPECT_EQ(target.steps[2].z, 3);
    EXPECT_EQ(target.elapsed, (std::vector<int>{100, 200, 300}));
    EXPECT_TRUE(target.checks.empty());
    EXPECT_EQ(target.ends, 1);

    // A new curve takes effect at the next start.
    const float back[12] = {30, 30, 3, 30, 30, 3, 0, 0, 0, 0, 0, 0};
    lane.SetCurve(back, 100);
    lane.SetHandlers(clsSplineLane::kAll);
    lane.Start();
    lane.Update(100);
    EXPECT_EQ(target.checks, std::vector<float>{0.0f});
    EXPECT_EQ(target.steps.back().x, 0);
    EXPECT_EQ(target.ends, 2);
}

}  // namespace
