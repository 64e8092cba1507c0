// Plays a built particle effect the way the game does and keeps frames of it on one strip picture,
// so that an effect can be looked at without the game.
#pragma once

#include <string>

struct FxPlayOptions {
    std::string gameFolder;  // holds "assets"; effect paths are read from here, as the game reads them
    std::string effect;      // e.g. "assets/fx/water/water.par"
    std::string out;         // the strip, a PNG
    int ms = 1600;           // how long it plays
    int frames = 8;          // pictures kept, evenly over the time
    int size = 200;          // each picture's side, around the effect's start
    float moveX = 0, moveY = 0;  // the effect travels this far over the time (a trail)
    bool mirror = false;     // upside down, as the shop runs some effects
    unsigned color = 0;      // 0xRRGGBBAA tint; 0 keeps the effect's own colours
};

// False with a message on stderr when the effect cannot be played or the strip written.
bool PlayFx(const FxPlayOptions& options);
