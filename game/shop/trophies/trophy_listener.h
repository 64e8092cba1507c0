// iTrophies: told by the trophy tracker of each trophy the player has just won (the shop shows it,
// the bazaar passes it on).
#pragma once

class clsTrophyTracker;

class iTrophies {
public:
    virtual ~iTrophies() = default;
    // bit is the trophy's TrophyBits value.
    virtual void OnTrophyGained(clsTrophyTracker* tracker, unsigned bit) = 0;
};
