// clsBucket: the piranha bucket the heroine throws what she no longer wants into.
#pragma once

#include "game/shop/objects/actor.h"

class iGameAssets;

class clsBucket : public clsActor {
public:
    enum State { kStanding = 2, kEating = 6 };

    explicit clsBucket(iGameScene* owner);

    // Stands.
    void RefreshAnimation() override;
    // Eating ends in standing.
    void OnMoveEnded() override;

    // The heroine empties her hands into it.
    void PlayEat();
};

void PreloadBucketAnims(iGameAssets& assets);
