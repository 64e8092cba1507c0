// clsControlNumber: a signed number of up to three digits that the shop pops over its objects: a
// row of digit pictures that drifts upwards and grows for a moment, then stands still.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/maths.h"
#include "game/shop/objects/scene_sprite.h"

class clsControlNumber : public clsBasicObject {
public:
    enum NumberState {
        kShowing = 0,   // drifting and growing
        kFinished = 2,  // shown long enough: no more updates
    };
    static constexpr int kMaxValue = 999;
    static constexpr float kShownSecs = 1.5f;

    explicit clsControlNumber(iGameScene* owner);
    ~clsControlNumber() override;

    // Until kShownSecs have passed since SetValue: every digit grows and drifts by dt.
    void Update(float dt) override;
    void Draw() override;

    // Shows the value ('+' or '-', then its digits) with the sign at position; values outside
    // -kMaxValue..kMaxValue show nothing.
    void SetValue(int value, const TVec2& position);
    // The sign at p, each digit 10 pixels right of the one before.
    void SetPosition(const TVec2& p);

    int GetState() const { return state_; }
    float GetTimeShownSecs() const { return timeShownSecs_; }
    const std::vector<std::unique_ptr<clsAnimatedSprite>>& GetDigits() const { return digits_; }

    // The frame of "anim/numbers" that shows the character: '1'..'9' 0..8, '0' 9, '-' 10, '+' 11;
    // -1 for any other.
    static int DigitFrameOf(char character);

private:
    float timeShownSecs_ = -1.0f;
    TVec2 position_;
    float scale_ = 1.0f;
    std::vector<std::unique_ptr<clsAnimatedSprite>> digits_;
    int state_ = kShowing;
};
