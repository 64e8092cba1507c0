#include "game/shop/particles/particle.h"

#include <algorithm>

namespace {

// Channels are clamped: the colour fraction runs past 1 before death, as the age counts the delay.
uint8_t Channel(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

int Blend(uint8_t from, uint8_t to, float fraction) {
    return from + static_cast<int>((to - from) * fraction);
}

}  // namespace

clsParticle::clsParticle() {
    const float corners[4][4] = {{-0.5f, -0.5f, 0, 0}, {0.5f, -0.5f, 1, 0}, {-0.5f, 0.5f, 0, 1}, {0.5f, 0.5f, 1, 1}};
    for (int i = 0; i < 4; ++i) {
        quad[i].position = TVec3(corners[i][0], corners[i][1], 0.0f);
        quad[i].uv = TVec2(corners[i][2], corners[i][3]);
    }
}

void clsParticle::Update(int ms) {
    if (state == kDead) return;
    age += ms;
    if (age <= delay) {
        state = kWaiting;
    } else if (age > delay + life) {
        ++cycles;
        state = kDead;
    } else {
        state = kAlive;
        Move(age / 1000.0f);
        Colour();
    }
}

void clsParticle::Move(float seconds) {
    float half = 0.5f * seconds * seconds;
    for (size_t i = 0; i < current.values.size(); ++i)
        current.values[i] = start.values[i] + velocity.values[i] * seconds + acceleration.values[i] * half;
}

void clsParticle::Colour() {
    // Alive means delay < age <= delay + life, so life is at least 1 here.
    float fraction = static_cast<float>(age) / static_cast<float>(life);
    for (int c = 0; c < 3; ++c) color.rgba[c] = Channel(Blend(startColor.rgba[c], endColor.rgba[c], fraction));
    int end = delay + life;
    color.rgba[3] = Channel(age <= end - fadeOut ? Blend(startColor.rgba[3], endColor.rgba[3], fraction)
                                                 : static_cast<int>((end - age) * fadeRate));
    TColor packed = TColor::FromBytes(color.rgba[0], color.rgba[1], color.rgba[2], color.rgba[3]);
    for (TVertex& vertex : quad) vertex.diffuse = packed;
}
