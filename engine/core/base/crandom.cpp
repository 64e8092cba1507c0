#include "engine/core/base/crandom.h"

namespace {

uint32_t& CRandomState() {
    static uint32_t state = 1;
    return state;
}

}  // namespace

void SeedCRandom(uint32_t seed) {
    CRandomState() = seed;
}

int CRandom() {
    uint32_t& state = CRandomState();
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}
