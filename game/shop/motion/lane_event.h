// iLaneEvent: what a spline lane tells its target about the point travelling along its curve.
#pragma once

class clsSplineLane;

class iLaneEvent {
public:
    virtual ~iLaneEvent() = default;
    // Before a step; setting *goOn to false cancels it.
    virtual void OnLaneCheck(clsSplineLane* lane, float x, float y, float z, bool* goOn) {}
    virtual void OnLaneStep(clsSplineLane* lane, float x, float y, float z, int elapsedMs) {}
    virtual void OnLaneEnd(clsSplineLane* lane) {}
};
