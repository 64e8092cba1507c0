// clsHarp: the magic harp. The heroine plays a tune on it that gives every waiting customer
// patience; a tune lasts 10 s, then the harp rests 15 s while its clock runs down.
#pragma once

#include "game/shop/objects/actor.h"
#include "game/shop/props/hourglass.h"

class iGameAssets;

class clsHarp : public clsActor {
public:
    enum State { kStanding = 2, kDancing = 6 };
    static constexpr float kTuneSeconds = 10.0f;
    static constexpr float kRestSeconds = 15.0f;

    // level is the harp upgrade's level; outside 1..3 it counts as 1.
    clsHarp(iGameScene* owner, int level);

    // Stops the tune and stands.
    void RefreshAnimation() override;
    // The tune, the rest and the clock.
    void Update(float dt) override;
    // The harp, then its clock.
    void Draw() override;

    // Starts a tune; false (and nothing happens) while a tune or the rest after it lasts.
    bool Play();
    // Patience points the tune gives each waiting customer: the harp upgrade's value for the level.
    float GetEffectValue() const;
    // Pauses or resumes the tune while it plays.
    void PauseTune(bool pause);

    bool IsIdle() const { return playSeconds_ < 0.0f; }
    bool IsPlaying() const { return playing_; }
    int GetLevel() const { return level_; }
    const clsHourglass& GetClock() const { return clock_; }

private:
    static constexpr int kHarpAddon = 3;  // the harp's record in the add-on table

    float playSeconds_ = -1.0f;  // since the tune started; -1 while idle
    bool playing_ = false;  // from the start of a tune until the harp stands again
    int level_;
    clsHourglass clock_;
    bool tunePlaying_ = false;  // the tune's sound plays
};

void PreloadHarpAnims(iGameAssets& assets);
