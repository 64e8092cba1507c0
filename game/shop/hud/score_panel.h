// clsGuiScoreGoalTime: the panel in the shop's top-left corner: today's money (score), the level's
// goal (later the expert goal), the day number and a clock that runs down the day. When the day's
// time is over it rings and tells the scene to close the shop, once.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"

class TSprite;
class TTexture;
class iGameAssets;
class iGameScene;
class clsAnimatedSprite;

class clsGuiScoreGoalTime {
public:
    // limitSeconds: the day's length; layer: the sprite layer of the panel and its texts.
    clsGuiScoreGoalTime(iGameScene* owner, float limitSeconds, int layer);
    ~clsGuiScoreGoalTime();
    clsGuiScoreGoalTime(const clsGuiScoreGoalTime&) = delete;
    clsGuiScoreGoalTime& operator=(const clsGuiScoreGoalTime&) = delete;

    // Moves the picture, the clock and the two numbers; the captions and the day stay where they are.
    void SetPosition(float x, float y);
    // A number too long for the room beside its caption is written smaller.
    void SetScore(int score);
    void SetGoal(int goal);
    void SetDay(int day);
    // A finished text ("lblGuiExpert" looked up, once the goal is reached).
    void SetGoalCaption(const TString& caption);
    // The day's clock moves on by dt seconds; its frames follow the time used.
    void UpdateClock(float dt);
    void Draw();

    bool IsTimeOver() const { return timeOver_; }
    float GetElapsedSeconds() const { return elapsedSeconds_; }
    clsAnimatedSprite& GetClock() const { return *clock_; }
    const TVec2& GetOrigin() const { return origin_; }
    TSprite& GetPanelImage() const { return *panelImage_; }
    TSprite& GetScoreCaption() const { return *scoreCaption_; }
    TSprite& GetDayCaption() const { return *dayCaption_; }
    TSprite& GetScoreValue() const { return *scoreValue_; }
    TSprite& GetGoalValue() const { return *goalValue_; }
    TSprite& GetGoalCaption() const { return *goalCaption_; }
    TSprite& GetDayValue() const { return *dayValue_; }

private:
    // Closes the day: the clock's last frame, the bell, the scene's CloseShop.
    void EnterTimeOver();

    std::unique_ptr<clsAnimatedSprite> clock_;
    std::shared_ptr<TTexture> panelTexture_;
    std::shared_ptr<TSprite> panelImage_;
    std::shared_ptr<TSprite> scoreValue_;
    std::shared_ptr<TSprite> goalValue_;
    std::shared_ptr<TSprite> scoreCaption_;
    std::shared_ptr<TSprite> goalCaption_;
    std::shared_ptr<TSprite> dayCaption_;
    std::shared_ptr<TSprite> dayValue_;
    TVec2 origin_;
    int goal_ = 0;
    bool timeOver_ = false;
    float elapsedSeconds_ = 0.0f;
    iGameScene* owner_;
    float limitSeconds_;
};

void PreloadGuiScoreGoalTimeAnims(iGameAssets& assets);
