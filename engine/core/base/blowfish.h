// Blowfish block cipher: 16 rounds, 64-bit blocks as two 32-bit halves, keys of 1 to 56 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

class TBlowfish {
public:
    // Runs the key schedule over the key bytes (taken cyclically).
    void SetKey(const unsigned char* key, size_t length);
    void EncipherBlock(uint32_t& left, uint32_t& right) const;
    void DecipherBlock(uint32_t& left, uint32_t& right) const;

private:
    uint32_t F(uint32_t x) const;

    static const uint32_t kInitialP[18];
    static const uint32_t kInitialS[4][256];

    uint32_t p_[18] = {};
    uint32_t s_[4][256] = {};
};
