// clsArtifact: a magic good on the shelf that customers ask for. Taken by the heroine it turns spent
// (its "_off" picture); Radaduvoz prepares it again while a small clock over it runs out.
#pragma once

#include "game/shop/items/object_required.h"

class iGameAssets;

class clsArtifact : public clsObjectRequired {
public:
    enum ArtifactState {
        kReady = 0,       // on the shelf, can be taken
        kSpent = 1,       // taken: shows its "_off" picture
        kRecharging = 2,  // being prepared again: the picture stays, the clock runs
    };
    // The clock shows frames 0..kLastClockFrame, then plays "disappear".
    static constexpr int kClockFrames = 9;
    static constexpr int kLastClockFrame = 9;

    // The value is the game data's for the id (0 outside the list).
    clsArtifact(iGameScene* owner, int artifactId, int state);
    ~clsArtifact() override;

    // The artifact, its clock (advanced by dt), then its glow.
    void Update(float dt) override;
    void Draw() override;

    // States other than kRecharging show their picture.
    void SetState(int state);
    // Runs the clock over seconds: kClockFrames frames of seconds / kClockFrames each, then
    // "disappear" after one more; a clock of 0 seconds or less disappears at once.
    void StartClock(float seconds);
    void SetGlowVisible(bool visible);

    int GetArtifactId() const { return artifactId_; }
    int GetState() const { return state_; }
    bool IsClockRunning() const { return clockRunning_; }
    int GetClockFrame() const { return clockFrame_; }
    clsAnimatedSprite* GetClock() const { return clock_.get(); }
    clsAnimatedSprite* GetGlow() const { return glow_.get(); }

    // "anim/artifacts/artifact_3" for id 2, with "_off" when spent.
    static TString TextureName(int artifactId, int state);

private:
    void AdvanceClock(float dt);

    int artifactId_;
    std::unique_ptr<clsAnimatedSprite> clock_;
    bool clockRunning_ = false;
    float clockFrameSecs_ = 0.0f;
    float clockElapsedSecs_ = 0.0f;
    int clockFrame_ = 0;
    std::unique_ptr<clsAnimatedSprite> glow_;
    int state_ = kReady;
};

// The nine artifacts with their "_off" pictures, the clock and the glow.
void PreloadArtifactAnims(iGameAssets& assets);
