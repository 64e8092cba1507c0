// Lanes: a parameter running from 0 to 1 over a duration (clsLane), and the point at that parameter
// on a cubic Bezier curve handed to a target (clsSplineLane).
#pragma once

#include <cstdint>

#include "game/shop/motion/bezier_curve.h"
#include "game/shop/motion/lane_event.h"
#include "game/shop/motion/move_event.h"
#include "game/shop/motion/time_driver.h"

class clsLane : public iMoveEvent {
public:
    explicit clsLane(int durationMs);

    void SetDuration(int durationMs) { driver_.SetDuration(durationMs); }
    void Start() { driver_.Start(); }
    void Update(int ms) { driver_.Update(ms); }
    bool IsFinished() const { return driver_.IsFinished(); }

    void OnMoveCheck(clsTimeDriver*, float value, bool* goOn) override { OnCheck(value, goOn); }
    void OnMoveStep(clsTimeDriver*, float value, int elapsedMs) override { OnStep(value, elapsedMs); }
    void OnMoveEnd(clsTimeDriver*) override { OnEnd(); }

protected:
    virtual void OnCheck(float t, bool* goOn) {}
    virtual void OnStep(float t, int elapsedMs) {}
    virtual void OnEnd() {}

private:
    clsTimeDriver driver_;
};

class clsSplineLane : public clsLane {
public:
    // Which of the target's operations the lane calls.
    enum Handler : uint8_t { kCheck = 1, kStep = 2, kEnd = 4, kAll = 7 };

    // points: P0..P3 as x, y, z each.
    clsSplineLane(iLaneEvent* target, const float points[12], int durationMs);

    // New control points and duration; does not start.
    void SetCurve(const float points[12], int durationMs);
    void SetHandlers(uint8_t handlers) { handlers_ = handlers; }
    const clsBezierCurve& GetCurve() const { return curve_; }

protected:
    void OnCheck(float t, bool* goOn) override;
    void OnStep(float t, int elapsedMs) override;
    void OnEnd() override;

private:
    bool Handled(Handler handler) const { return target_ && (handlers_ & handler); }

    iLaneEvent* target_;
    uint8_t handlers_ = 0;
    clsBezierCurve curve_;
};
