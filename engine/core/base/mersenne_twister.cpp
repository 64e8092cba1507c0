#include "engine/core/base/mersenne_twister.h"

namespace {

constexpr int kShift = 397;
constexpr uint32_t kMatrixA = 0x9908B0DFu;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7FFFFFFFu;

}  // namespace

MersenneTwister::MersenneTwister() : state_{}, index_(kStateSize + 1) {
    static constexpr uint32_t kFixedKey[] = {0xD4C4CF4Bu, 0x3E2019A7u, 0xE6489797u, 0x5746FCB5u};
    SeedByArray(kFixedKey, 4);
}

void MersenneTwister::Seed(uint32_t seed) {
    state_[0] = seed;
    for (int i = 1; i < kStateSize; ++i) {
        uint32_t previous = state_[i - 1];
        state_[i] = 1812433253u * (previous ^ (previous >> 30)) + static_cast<uint32_t>(i);
    }
    index_ = kStateSize;
}

void MersenneTwister::SeedByArray(const uint32_t* words, int count) {
    Seed(19650218u);
    int i = 1;
    int j = 0;
    for (int k = kStateSize > count ? kStateSize : count; k > 0; --k) {
        uint32_t previous = state_[i - 1];
        state_[i] = (state_[i] ^ ((previous ^ (previous >> 30)) * 1664525u)) + words[j] + static_cast<uint32_t>(j);
        ++i;
        ++j;
        if (i >= kStateSize) {
            state_[0] = state_[kStateSize - 1];
            i = 1;
        }
        if (j >= count) j = 0;
    }
    for (int k = kStateSize - 1; k > 0; --k) {
        uint32_t previous = state_[i - 1];
        state_[i] = (state_[i] ^ ((previous ^ (previous >> 30)) * 1566083941u)) - static_cast<uint32_t>(i);
        ++i;
        if (i >= kStateSize) {
            state_[0] = state_[kStateSize - 1];
            i = 1;
        }
    }
    state_[0] = 0x80000000u;
}

void MersenneTwister::Regenerate() {
    for (int k = 0; k < kStateSize; ++k) {
        uint32_t y = (state_[k] & kUpperMask) | (state_[(k + 1) % kStateSize] & kLowerMask);
        state_[k] = state_[(k + kShift) % kStateSize] ^ (y >> 1) ^ ((y & 1u) ? kMatrixA : 0u);
    }
    index_ = 0;
}

uint32_t MersenneTwister::Next() {
    if (index_ >= kStateSize) Regenerate();
    uint32_t y = state_[index_++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}
