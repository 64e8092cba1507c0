// clsHourglass: the small clock that runs down beside the harp while it rests and beside the phoenix
// while it works ("anim/artifacts/artifact_time"): nine steps of equal length, then it vanishes.
#pragma once

#include <memory>

#include "game/shop/objects/scene_sprite.h"

class iGameScene;

class clsHourglass {
public:
    static constexpr int kSteps = 9;

    // Hidden until started.
    explicit clsHourglass(iGameScene* owner);

    // Shows frame 0 and runs the clock down over seconds.
    void Start(float seconds);
    // The sprite, then the clock: a step's time reached shows the next frame (what is over the step
    // is dropped); past the last step the clock plays "disappear" and stops.
    void Update(float dt);
    void Draw() { sprite_->Draw(); }

    bool IsRunning() const { return running_; }
    int GetFrame() const { return frame_; }
    clsAnimatedSprite& GetSprite() const { return *sprite_; }

private:
    std::unique_ptr<clsAnimatedSprite> sprite_;
    bool running_ = false;
    float stepSeconds_ = 0.0f;
    float stepElapsedSeconds_ = 0.0f;
    int frame_ = 0;
};
