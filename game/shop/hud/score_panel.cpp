#include "game/shop/hud/score_panel.h"

#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/text_sprite.h"
#include "engine/graphics/texture.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/objects/scene_sprite.h"

namespace {

constexpr char kPanelTexture[] = "gui/gui_score_goal_time";
constexpr char kClockTexture[] = "anim/clock";
constexpr char kTimeOverSound[] = "audio/sfx/time_over";
constexpr float kTextColor[4] = {0.278f, 0.012f, 0.059f, 1.0f};

// Text block alignment bits.
constexpr int kCentreHorizontally = 1, kRightAlign = 2, kCentreVertically = 4;

struct LabelLayout {
    int width, height;
    int flags;
    int size;
    TVec2 position;  // from the panel's origin for the two numbers, on the screen for the rest
};
const LabelLayout kScoreCaption{60, 40, kRightAlign | kCentreVertically, 14, {122.0f, 26.0f}};
const LabelLayout kScoreValue{400, 300, kRightAlign | kCentreVertically, 28, {180.0f, 32.0f}};
const LabelLayout kGoalCaption{60, 40, kCentreVertically, 14, {107.0f, 57.0f}};
const LabelLayout kGoalValue{400, 300, kRightAlign | kCentreVertically, 19, {180.0f, 62.0f}};
// A number keeps this far from its caption; a long one is written smaller, down to the smallest size.
constexpr int kNumberGap = 4;
constexpr int kSmallestNumberSize = 10;
const LabelLayout kDayCaption{100, 47, kCentreHorizontally, 14, {45.3f, 135.6f}};
const LabelLayout kDayValue{76, 47, kCentreHorizontally, 30, {46.0f, 99.0f}};
const TVec2 kClockOffset{49.0f, 46.5f};

void PlaceSprite(TSprite& sprite, const TVec2& position) {
    sprite.GetState().transform = TMat3();
    sprite.GetState().transform.m[6] = position.x;
    sprite.GetState().transform.m[7] = position.y;
}

std::shared_ptr<TSprite> MakeLabel(const LabelLayout& layout, const TString& font, int layer) {
    std::shared_ptr<TSprite> label = TTextSprite::Create(layout.width, layout.height, layout.flags, font.CStr(),
                                                         layout.size, kTextColor, layer);
    PlaceSprite(*label, layout.position);
    return label;
}

void SetLabelText(TSprite& label, const TString& text) {
    static_cast<TTextSprite&>(label).SetText(text);
}

int TextWidth(const TSprite& label) {
    return static_cast<const TTextSprite&>(label).GetBlock().GetBounds(1.0f).Width();
}

// The number in its layout's size, or smaller where it would not fit in room pixels.
void SetNumber(TSprite& label, int value, const LabelLayout& layout, int room) {
    auto& text = static_cast<TTextSprite&>(label);
    int size = layout.size;
    text.SetSize(size);
    text.SetText(TString::Format("%d", value));
    while (size > kSmallestNumberSize && TextWidth(label) > room) text.SetSize(--size);
}

}  // namespace

clsGuiScoreGoalTime::clsGuiScoreGoalTime(iGameScene* owner, float limitSeconds, int layer)
    : clock_(std::make_unique<clsAnimatedSprite>(owner)), owner_(owner), limitSeconds_(limitSeconds) {
    if (owner) panelTexture_ = owner->GetAssets().GetTexture(kPanelTexture);
    panelImage_ = TSprite::Create(layer, panelTexture_);
    TString font = ScriptTextFont();
    scoreCaption_ = MakeLabel(kScoreCaption, font, layer);
    scoreValue_ = MakeLabel(kScoreValue, font, layer);
    goalCaption_ = MakeLabel(kGoalCaption, font, layer);
    goalValue_ = MakeLabel(kGoalValue, font, layer);
    dayCaption_ = MakeLabel(kDayCaption, font, layer);
    dayValue_ = MakeLabel(kDayValue, font, layer);
    SetLabelText(*scoreCaption_, LabelText("lblGuiScore"));
    SetGoalCaption(LabelText("lblGuiGoal"));
    SetLabelText(*dayCaption_, LabelText("lblGuiDay"));
    clock_->SetTexture(clock_->GetSceneTexture(kClockTexture));
}

clsGuiScoreGoalTime::~clsGuiScoreGoalTime() = default;

void clsGuiScoreGoalTime::SetPosition(float x, float y) {
    origin_ = TVec2(x, y);
    PlaceSprite(*panelImage_, origin_);
    clock_->SetPositionV(origin_ + kClockOffset);
    clock_->Update(0.0f);
    PlaceSprite(*scoreValue_, origin_ + kScoreValue.position);
    PlaceSprite(*goalValue_, origin_ + kGoalValue.position);
}

// Each number stands right of its caption: the room between the caption's right end and the
// number's right edge.
void clsGuiScoreGoalTime::SetScore(int score) {
    int room = static_cast<int>(kScoreValue.position.x - kScoreCaption.position.x) - kNumberGap;
    SetNumber(*scoreValue_, score, kScoreValue, room);
}

void clsGuiScoreGoalTime::SetGoal(int goal) {
    goal_ = goal;
    int captionEnd = static_cast<int>(kGoalCaption.position.x) + TextWidth(*goalCaption_);
    SetNumber(*goalValue_, goal, kGoalValue, static_cast<int>(kGoalValue.position.x) - captionEnd - kNumberGap);
}

void clsGuiScoreGoalTime::SetDay(int day) {
    SetLabelText(*dayValue_, TString::Format("%d", day));
}

void clsGuiScoreGoalTime::SetGoalCaption(const TString& caption) {
    SetLabelText(*goalCaption_, caption);
    SetGoal(goal_);
}

void clsGuiScoreGoalTime::UpdateClock(float dt) {
    if (timeOver_) return;
    elapsedSeconds_ += dt;
    if (elapsedSeconds_ >= limitSeconds_) {
        EnterTimeOver();
        return;
    }
    TAnimatedSprite& clock = clock_->GetAnimation();
    auto frame = static_cast<int>(static_cast<float>(clock.GetFrameCount() - 1) * elapsedSeconds_ / limitSeconds_);
    clock_->Update(dt);
    clock.SetCurrentFrame(frame);
}

void clsGuiScoreGoalTime::EnterTimeOver() {
    TAnimatedSprite& clock = clock_->GetAnimation();
    clock.SetCurrentFrame(clock.GetFrameCount() - 1);
    timeOver_ = true;
    if (!owner_) return;
    owner_->GetAssets().PlaySound(kTimeOverSound, false);
    owner_->CloseShop();
}

void clsGuiScoreGoalTime::Draw() {
    TSpriteState identity;
    panelImage_->Draw(identity, -1);
    scoreValue_->Draw(identity, -1);
    goalValue_->Draw(identity, -1);
    clock_->Draw();
    scoreCaption_->Draw(identity, -1);
    goalCaption_->Draw(identity, -1);
    dayValue_->Draw(identity, -1);
    dayCaption_->Draw(identity, -1);
}

void PreloadGuiScoreGoalTimeAnims(iGameAssets& assets) {
    assets.AddPreloadAnim(kPanelTexture);
    assets.AddPreloadAnim(kClockTexture);
    assets.AddPreloadSound(kTimeOverSound);
}
