// iMoveEvent: what a time driver tells the object it drives, step by step.
#pragma once

class clsTimeDriver;

class iMoveEvent {
public:
    virtual ~iMoveEvent() = default;
    // Before a step; setting *goOn to false cancels it (the value is not stored, no step follows).
    virtual void OnMoveCheck(clsTimeDriver* driver, float value, bool* goOn) {}
    // After the value is stored.
    virtual void OnMoveStep(clsTimeDriver* driver, float value, int elapsedMs) {}
    // Once, when the driver reaches its end value; may restart the same driver.
    virtual void OnMoveEnd(clsTimeDriver* driver) {}
};
