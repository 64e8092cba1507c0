// clsTitleCard: the game's title card: the potion picture with a glow that stays in place and
// sparkles that circle round it without end (one circuit every 1.6 s). The screens that show it
// advance it and draw it over their children.
#pragma once

#include <memory>

#include "engine/core/files/asset.h"
#include "game/shop/particles/particle_fx.h"

class TSprite;

class clsTitleCard {
public:
    // The sparkles tell starOwner about their way (never of an end: they loop).
    explicit clsTitleCard(iParticleFx* starOwner);
    ~clsTitleCard();

    // Both effects, the glow first.
    void Update(int elapsedMs);
    // The glow, the picture, then the sparkles over it.
    void Draw();

    clsParticleFx& GetShine() { return *shine_; }
    clsParticleFx& GetStar() { return *star_; }

private:
    std::unique_ptr<clsParticleFx> shine_;
    std::unique_ptr<clsParticleFx> star_;
    TAssetMap assets_;
    std::shared_ptr<TSprite> potion_;
};
