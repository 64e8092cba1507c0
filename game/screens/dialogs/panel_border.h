// PanelBorder: the particle effect that runs once around a dialog's panel when the panel has come
// to rest ("assets/fx/panel/panel.par", upside down, not looping). Built hidden on an outline, it
// waits one segment at the outline's start, travels the outline one curve a segment, and then stops
// emitting: the living particles die out at the end point.
#pragma once

#include "game/screens/dialogs/border_outlines.h"
#include "game/shop/particles/particle_fx.h"

class PanelBorder : public iParticleFx {
public:
    static constexpr const char* kEffectFile = "assets/fx/panel/panel.par";

    // capacity: the most segments an outline may have; segmentMs: the time of each segment.
    PanelBorder(int capacity, int segmentMs);

    // Lays the outline into the effect's path and hides the effect until the next Start.
    void Build(const BorderOutline& outline);
    // Plays the path from its start and shows the effect.
    void Start();
    void Update(int ms) { effect_.Update(ms); }
    void Draw() { effect_.Draw(); }

    // The path's end: no new particles.
    void OnFxEnd(clsParticleFx* effect) override { effect_.SetStopped(true); }

    clsParticleFx& GetEffect() { return effect_; }

private:
    clsParticleFx effect_;
};
