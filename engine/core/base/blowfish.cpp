#include "engine/core/base/blowfish.h"

#include <cstring>
#include <utility>

uint32_t TBlowfish::F(uint32_t x) const {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void TBlowfish::EncipherBlock(uint32_t& left, uint32_t& right) const {
    uint32_t l = left, r = right;
    for (int round = 0; round < 16; ++round) {
        l ^= p_[round];
        r ^= F(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    right = r ^ p_[16];
    left = l ^ p_[17];
}

void TBlowfish::DecipherBlock(uint32_t& left, uint32_t& right) const {
    uint32_t l = left, r = right;
    for (int round = 17; round > 1; --round) {
        l ^= p_[round];
        r ^= F(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    right = r ^ p_[1];
    left = l ^ p_[0];
}

void TBlowfish::SetKey(const unsigned char* key, size_t length) {
    memcpy(p_, kInitialP, sizeof p_);
    memcpy(s_, kInitialS, sizeof s_);
    size_t at = 0;
    for (uint32_t& word : p_) {
        uint32_t keyWord = 0;
        for (int i = 0; i < 4; ++i) {
            keyWord = keyWord << 8 | (length ? key[at] : 0);
            at = length ? (at + 1) % length : 0;
        }
        word ^= keyWord;
    }
    uint32_t left = 0, right = 0;
    for (int i = 0; i < 18; i += 2) {
        EncipherBlock(left, right);
        p_[i] = left;
        p_[i + 1] = right;
    }
    for (auto& box : s_) {
        for (int i = 0; i < 256; i += 2) {
            EncipherBlock(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}
