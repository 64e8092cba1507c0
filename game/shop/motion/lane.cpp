#include "game/shop/motion/lane.h"

clsLane::clsLane(int durationMs) : driver_(this, 0.0f, 1.0f, durationMs) {
    driver_.Hook(clsTimeDriver::kAll);
}

clsSplineLane::clsSplineLane(iLaneEvent* target, const float points[12], int durationMs)
    : clsLane(durationMs), target_(target) {
    curve_.SetPoints(points);
}

void clsSplineLane::SetCurve(const float points[12], int durationMs) {
    curve_.SetPoints(points);
    SetDuration(durationMs);
}

void clsSplineLane::OnCheck(float t, bool* goOn) {
    if (!Handled(kCheck)) return;
    TVec3 p = curve_.Evaluate(t);
    target_->OnLaneCheck(this, p.x, p.y, p.z, goOn);
}

void clsSplineLane::OnStep(float t, int elapsedMs) {
    if (!Handled(kStep)) return;
    TVec3 p = curve_.Evaluate(t);
    target_->OnLaneStep(this, p.x, p.y, p.z, elapsedMs);
}

void clsSplineLane::OnEnd() {
    if (Handled(kEnd)) target_->OnLaneEnd(this);
}
