// The game's random numbers: the application's generator, or a source a test installs so that the
// shop's choices come out the same on every run.
#pragma once

#include <cstdint>

class iRandomSource {
public:
    virtual ~iRandomSource() = default;
    virtual uint32_t Next() = 0;
};

// The next number of the installed source, else of the application's generator.
uint32_t GameRandom();
// Null gives the application's generator back.
void SetGameRandomSource(iRandomSource* source);
