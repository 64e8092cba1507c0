// The game's random numbers for one test: the values the test scripts first, in order, then a
// seeded MT19937. Installed for the object's life.
#pragma once

#include <cstdint>
#include <deque>

#include "engine/core/base/mersenne_twister.h"
#include "game/shop/scene/game_random.h"

class SeededRandom : public iRandomSource {
public:
    explicit SeededRandom(uint32_t seed = 5489) {
        generator_.Seed(seed);
        SetGameRandomSource(this);
    }
    ~SeededRandom() override { SetGameRandomSource(nullptr); }
    SeededRandom(const SeededRandom&) = delete;
    SeededRandom& operator=(const SeededRandom&) = delete;

    uint32_t Next() override {
        if (scripted.empty()) return generator_.Next();
        uint32_t value = scripted.front();
        scripted.pop_front();
        return value;
    }

    std::deque<uint32_t> scripted;

private:
    MersenneTwister generator_;
};
