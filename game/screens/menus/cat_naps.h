// CatNaps: when the level-select cat changes between standing and sleeping. Each phase lasts a
// drawn 5 to 10 whole seconds and ends only when the phase's animation is on its last frame, so
// the cat never changes in the middle of a movement.
#pragma once

#include <cstdint>
#include <functional>

class CatNaps {
public:
    static constexpr int kShortestPhaseSeconds = 5;
    static constexpr int kPhaseChoices = 6;  // 5 to 10 s

    // random: the source of the phases' lengths.
    explicit CatNaps(std::function<uint32_t()> random);

    // Counts a frame of dtSeconds; true when the cat changes now (the phase is over and its
    // animation is on its last frame); the next phase's length is then drawn.
    bool Advance(float dtSeconds, bool onLastFrame);

    bool IsSleeping() const { return sleeping_; }
    float GetCountdownSeconds() const { return countdownSeconds_; }

private:
    float DrawPhaseSeconds();

    std::function<uint32_t()> random_;
    float countdownSeconds_;
    bool sleeping_ = false;
};
