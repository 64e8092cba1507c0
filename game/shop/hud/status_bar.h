// clsStatusBar: a bar that runs down over a total time by showing one picture after another, from
// full to empty: the customers' patience and the cauldrons' brewing.
#pragma once

#include <memory>
#include <vector>

#include "game/shop/objects/scene_sprite.h"

class clsStatusBar : public clsBasicObject {
public:
    enum BarState {
        kIdle = 0,      // not started, or stopped by Reset
        kRunning = 1,
        kFinished = 3,  // the last picture has run out
    };

    clsStatusBar(iGameScene* owner, float totalSecs);
    ~clsStatusBar() override;

    // Runs the bar down by dt unless frozen (the overshoot of a picture is dropped), then the sprite.
    void Update(float dt) override;
    void Draw() override;

    // Appends a picture; the owner adds them all, full to empty, before starting.
    void AddFrame(const std::shared_ptr<TTexture>& texture);
    void ShowFrame(int index);
    // Runs the bar over totalSecs × factor as if alreadyElapsedSecs (at least 0) had passed; nothing
    // without pictures.
    void Start(float alreadyElapsedSecs, float factor);
    void Reset() { state_ = kIdle; }
    float GetTimeLeft() const;
    // Gives (or, negative, takes) time to a running bar, measured against the constructor's total.
    void AddTime(float secs);

    int GetState() const { return state_; }
    bool IsFrozen() const { return frozen_; }
    void SetFrozen(bool frozen) { frozen_ = frozen; }
    int GetCurrentFrame() const { return currentFrame_; }
    int GetFrameCount() const { return static_cast<int>(frames_.size()); }
    float GetSegmentSecs() const { return segmentSecs_; }
    float GetSegmentSecsLeft() const { return segmentSecsLeft_; }
    clsSprite* GetSprite() const { return sprite_.get(); }

private:
    int currentFrame_ = 0;
    float segmentSecs_ = 0.0f;
    float segmentSecsLeft_ = 0.0f;
    float totalSecs_;
    bool frozen_ = false;
    std::vector<std::shared_ptr<TTexture>> frames_;
    int state_ = kIdle;
    std::unique_ptr<clsSprite> sprite_;
};
