// The seven kinds of customer. Each file holds its kind's look and how it comes and goes.
#pragma once

#include "game/shop/customers/customer.h"

// The two-headed ogre: wants two items, stomps in and jumps away.
class cls2Head : public clsClient {
public:
    cls2Head(clsGameInterface* owner, clsObjectRequired* request, bool variant);
    void PlayAppear() override;
    void PlayAction() override;
    void Update(float dt) override;
};

// Appears and vanishes in place.
class clsDruid : public clsClient {
public:
    clsDruid(clsGameInterface* owner, clsObjectRequired* request, bool variant);
};

// The alchemist: appears and vanishes in place.
class clsMage : public clsClient {
public:
    clsMage(clsGameInterface* owner, clsObjectRequired* request, bool variant);
};

// Glides in from the left and glides out again; leaves silently when angry.
class clsMedusa : public clsClient {
public:
    clsMedusa(clsGameInterface* owner, clsObjectRequired* request, bool variant);
    void PlayAppear() override;
    void PlayAction() override;
    void Hook6() override;
};

// Appears in place and walks off to the left.
class clsShadow : public clsClient {
public:
    clsShadow(clsGameInterface* owner, clsObjectRequired* request, bool variant);
    void PlayAction() override;
    void Hook6() override;
};

// Comes and goes in place, as a bat.
class clsVampire : public clsClient {
public:
    clsVampire(clsGameInterface* owner, clsObjectRequired* request, bool variant);
};

// Rides in from the left and jumps away down the counter.
class clsWitch : public clsClient {
public:
    clsWitch(clsGameInterface* owner, clsObjectRequired* request, bool variant);
    void PlayAppear() override;
    void PlayAction() override;
    void Update(float dt) override;
};

void Preload2HeadAnims(iGameAssets& assets);
void PreloadDruidAnims(iGameAssets& assets);
void PreloadMageAnims(iGameAssets& assets);
void PreloadMedusaAnims(iGameAssets& assets);
void PreloadShadowAnims(iGameAssets& assets);
void PreloadVampireAnims(iGameAssets& assets);
void PreloadWitchAnims(iGameAssets& assets);
