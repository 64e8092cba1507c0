// The game's key codes and character joining, shared by the message pump and its tests.
#pragma once

#include <cstdint>

// The key code events carry for a virtual key: navigation keys become small negative numbers,
// the numeric pad and punctuation keys their characters; other keys pass unchanged.
int32_t GameKeyCode(uint32_t virtualKey);
// The 16-bit form key-up events carry (Up -128 arrives as 65,408).
int32_t KeyUpCode(uint32_t virtualKey);

// Joins UTF-16 units into code points: a high surrogate is held (answer false), a low one joins
// it; a low one without a held high one gives nothing. True when codepoint holds a character.
class SurrogateJoiner {
public:
    bool Add(uint32_t unit, uint32_t& codepoint);

private:
    uint32_t high_ = 0;
};
