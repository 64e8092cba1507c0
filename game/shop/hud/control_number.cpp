#include "game/shop/hud/control_number.h"

#include <cstdlib>

#include "engine/graphics/animated_sprite.h"

namespace {

constexpr char kNumbersTexture[] = "anim/numbers";
constexpr float kDigitSpacing = 10.0f;
const TVec2 kDriftVelocity{0.0f, -30.0f};
constexpr float kGrowthPerSec = 0.2f;

}  // namespace

clsControlNumber::clsControlNumber(iGameScene* owner) : clsBasicObject(owner) {}

clsControlNumber::~clsControlNumber() = default;

int clsControlNumber::DigitFrameOf(char character) {
    switch (character) {
        case '0': return 9;
        case '-': return 10;
        case '+': return 11;
        default: return character >= '1' && character <= '9' ? character - '1' : -1;
    }
}

void clsControlNumber::SetValue(int value, const TVec2& position) {
    if (value < -kMaxValue || value > kMaxValue) return;
    timeShownSecs_ = 0.0f;
    digits_.clear();
    TString characters = TString::Format("%c%d", value < 0 ? '-' : '+', std::abs(value));
    for (const char* c = characters.CStr(); *c; ++c) {
        auto digit = std::make_unique<clsAnimatedSprite>(GetOwner());
        digit->SetTexture(GetSceneTexture(kNumbersTexture));
        digit->GetAnimation().SetCurrentFrame(DigitFrameOf(*c));
        digit->SetVelocity(kDriftVelocity);
        digits_.push_back(std::move(digit));
    }
    SetPosition(position);
}

void clsControlNumber::SetPosition(const TVec2& p) {
    position_ = p;
    for (size_t i = 0; i < digits_.size(); ++i) {
        digits_[i]->SetPosition(p.x + kDigitSpacing * static_cast<float>(i), p.y);
        digits_[i]->SetScale(scale_);
    }
}

void clsControlNumber::Update(float dt) {
    if (state_ == kFinished) return;
    timeShownSecs_ += dt;
    if (timeShownSecs_ >= kShownSecs) {
        state_ = kFinished;
        return;
    }
    scale_ = 1.0f + kGrowthPerSec * dt;
    for (auto digit = digits_.rbegin(); digit != digits_.rend(); ++digit) {
        (*digit)->SetScale(scale_);
        (*digit)->Update(dt);
    }
}

void clsControlNumber::Draw() {
    for (auto digit = digits_.rbegin(); digit != digits_.rend(); ++digit) (*digit)->Draw();
}
