// Values drawn from a range with an emitter's own generator.
#pragma once

#include <cstdint>

#include "engine/core/base/mersenne_twister.h"

// min + (max − min) × n / 2^32 from one draw.
inline float RandomInRange(MersenneTwister& random, float min, float max) {
    return min + (max - min) * (static_cast<float>(random.Next()) / 4294967296.0f);
}

// min + trunc(u × (max − min + 1)) with u in [0, 1) built from two draws (53 bits), so both ends
// come up equally often.
inline int RandomInRange(MersenneTwister& random, int min, int max) {
    uint32_t a = random.Next() >> 5, b = random.Next() >> 6;
    double u = (a * 67108864.0 + b) / 9007199254740992.0;
    return min + static_cast<int>(u * (max - min + 1));
}
