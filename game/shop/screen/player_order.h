// clsPlayerOrder: one errand the player gives the heroine with a click, queued until she has done it.
#pragma once

#include "engine/core/base/maths.h"

class clsBasicObject;

struct clsPlayerOrder {
    // What she does on arrival; kNoAction until the click has chosen one.
    enum Kind {
        kWalk = 0,  // to a point of the floor
        kServeCustomer = 1,
        kCollectMoney = 2,
        kTakeIngredient = 3,
        kFillCauldron = 4,
        kLightFire = 5,
        kEmptyCauldron = 6,
        kTakeFinishedPotion = 7,
        kDiscardItem = 8,  // into the bucket
        kPlayHarp = 9,
        kTendPlant = 10,
        kUseArtifact = 11,
        kCallPhoenix = 12,
        kTakePhoenixItem = 13,
        kStorePotion = 14,
        kTakeStoredPotion = 15,
        kNoAction = 16,
    };
    enum Phase {
        kQueued = 0,
        kStarted = 1,  // she walks there
        kCancelled = 2,  // cancelled on the way: done on arrival, nothing performed
        kAwaitingAnimation = 3,  // performed; done when her animation ends
        kDone = 4,
    };

    int kind = kNoAction;
    int phase = kQueued;
    TVec2 position;  // where a walk goes
    clsBasicObject* target = nullptr;  // what the errand is for; cleared when it is released
};
