// MT19937, the 32-bit Mersenne Twister, with its published init_genrand and init_by_array seeding.
#pragma once

#include <cstdint>

class MersenneTwister {
public:
    // Seeded by array with a fixed key: fresh instances all give the same sequence.
    MersenneTwister();

    void Seed(uint32_t seed);
    void SeedByArray(const uint32_t* words, int count);
    uint32_t Next();

private:
    static constexpr int kStateSize = 624;

    void Regenerate();

    uint32_t state_[kStateSize];
    int index_;
};
