// clsPlayerOrder: one errand the player gives the heroine with a click, queued until she has done it.
// What lies under the cursor (the hover kind) decides the errand; kOrderKinds says which kind of
// object each errand is made from and where its check mark sits on the target.
#pragma once

#include "engine/core/base/maths.h"

class clsBasicObject;

// What the hover test finds under the cursor; a check mark is of the kind of the object it marks.
enum HoverKind {
    kHoverNothing = 0,  // the floor
    kHoverCustomer = 1,  // a waiting customer
    kHoverMoney = 2,  // money on a counter place
    kHoverMagicBox = 3,
    kHoverCauldronMouth = 4,
    kHoverCauldronFire = 5,
    kHoverCauldronEmpty = 6,
    kHoverPickup = 7,  // a finished potion on its cauldron
    kHoverBucket = 8,
    kHoverHarp = 9,
    kHoverPlant = 10,
    kHoverArtifact = 12,  // an artifact on a shelf slot
    kHoverPhoenix = 13,
    kHoverPhoenixItem = 14,  // the ingredient the phoenix holds
    kHoverEmptySpot = 15,  // an open place of the shelf's drawer
    kHoverStoredPotion = 16,  // a potion on a place of the drawer
    kHoverBookPotion = 17,  // the potion on the recipe book's paper
};

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

// Per order kind: the hover kind a click makes it from, which is also the kind of its check mark
// (none for a walk), and the mark's place on the target.
struct OrderKindRecord {
    int hoverKind;
    TVec2 markOffset;
};
inline const OrderKindRecord kOrderKinds[clsPlayerOrder::kNoAction] = {
    {kHoverNothing, {0, 0}},        {kHoverCustomer, {0, 0}},     {kHoverMoney, {0, 0}},
    {kHoverMagicBox, {0, 0}},       {kHoverCauldronMouth, {0, 0}}, {kHoverCauldronFire, {0, 60}},
    {kHoverCauldronEmpty, {50, -40}}, {kHoverPickup, {0, 0}},     {kHoverBucket, {15, -50}},
    {kHoverHarp, {0, 0}},           {kHoverPlant, {0, 10}},       {kHoverArtifact, {0, 0}},
    {kHoverPhoenix, {10, -20}},     {kHoverPhoenixItem, {0, 0}},  {kHoverEmptySpot, {0, 0}},
    {kHoverStoredPotion, {0, 0}},
};

// The order kind a click on that hover kind makes; kNoAction for none (the floor, the book's potion).
int OrderKindForHover(int hoverKind);
// The kind of the check mark an order of that kind puts on its target; kHoverNothing for none.
int MarkKindOf(int orderKind);
