// The C library's small generator as the game has always had it: values 0..32767 from the
// linear congruence x = x * 214013 + 2531011, the same on every platform.
#pragma once

#include <cstdint>

void SeedCRandom(uint32_t seed);
int CRandom();
