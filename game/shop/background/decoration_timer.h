// DecorationTimer: replays an animated decoration of the shop's background at random intervals.
#pragma once

class clsAnimatedSprite;

class DecorationTimer {
public:
    // The first replay comes after a whole number of seconds from trunc(minSeconds) to
    // trunc(maxSeconds), both included.
    DecorationTimer(clsAnimatedSprite* sprite, float minSeconds, float maxSeconds);

    // Counts elapsed seconds down; at 0 the decoration plays "DoAnim" and a new interval starts.
    void Step(float elapsedSeconds);

    float GetCountdownSeconds() const { return countdownSeconds_; }
    clsAnimatedSprite* GetSprite() const { return sprite_; }

private:
    float DrawInterval() const;

    clsAnimatedSprite* sprite_;  // not owned
    float minSeconds_;
    float maxSeconds_;
    float countdownSeconds_;
};
