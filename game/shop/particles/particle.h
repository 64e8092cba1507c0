// clsParticle: one particle of an emitter. Spawned from the emitter's ranges it waits for its delay,
// lives its life moving with constant acceleration while its colour runs from the start to the end
// colour and fades out, then dies until the emitter spawns it again.
#pragma once

#include <cstdint>

#include "engine/core/base/maths.h"
#include "engine/graphics/vertex.h"
#include "game/shop/particles/particle_format.h"

class clsParticle {
public:
    enum State : uint8_t { kWaiting = 0, kAlive = 1, kDead = 2 };

    clsParticle();

    // Ages the particle by ms; nothing for a dead one.
    void Update(int ms);

    bool CanRespawn() const { return respawnLimit == 0 || cycles < respawnLimit; }

    int cycles = 0;          // how many times it has died
    float fadeRate = 0.0f;   // alpha units per ms
    int age = 0;             // ms since the spawn, the delay included
    TVertex quad[4];         // triangle strip: top left, top right, bottom left, bottom right
    TransformBlock start;         // A
    TransformBlock velocity;      // B, per second
    TransformBlock acceleration;  // C, per second squared
    TransformBlock current;       // D = A + B·t + ½·C·t²
    ColorBytes startColor, endColor, color;
    QuadUv startUv = kFullTextureUv, endUv = kFullTextureUv;  // kept; the quad's own coordinates are drawn
    int delay = 0, life = 0, fadeOut = 0;  // ms
    uint8_t respawnLimit = 0;
    State state = kDead;
    TMat4 birth;  // the emitter's transform when the particle came alive

private:
    void Move(float seconds);
    void Colour();
};
