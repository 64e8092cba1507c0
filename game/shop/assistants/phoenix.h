// clsFenix: the phoenix, an assistant bought in the bazaar. Activated, it works for its upgrade's
// rest time while an hourglass runs down beside it, then holds an ingredient (id 10) until the
// heroine takes it. After "maxConsecutives" ingredients it sleeps "restSecs", then flies and is ready
// again.
#pragma once

#include "game/shop/objects/actor.h"
#include "game/shop/props/hourglass.h"

class iGameAssets;
class clsIngredientGraph;

class clsFenix : public clsActor {
public:
    enum Mode {
        kReady = 1,  // can be activated
        kResting = 2,  // working after an activation
        kHolding = 3,  // holds an ingredient for the heroine
        kAsleep = 4,  // after the most ingredients in a row
    };
    // The actor's states for its animations.
    enum State { kFlying = 1, kStanding = 2, kWorking = 9, kSleeping = 15 };
    static constexpr int kIngredientId = 10;
    static inline const TVec2 kIngredientOffset{10.0f, -80.0f};

    // level is the phoenix upgrade's level; outside 1..3 it counts as 1.
    clsFenix(iGameScene* owner, int level);
    ~clsFenix() override;

    // Stands.
    void RefreshAnimation() override;
    // After the flight it is ready again (or holds its ingredient); after working it stands.
    void OnMoveEnded() override;
    // The hourglass, the work and the sleep.
    void Update(float dt) override;
    // The phoenix, its ingredient, its hourglass.
    void Draw() override;

    bool IsReady() const { return mode_ == kReady; }
    // Starts the work (the shop checks IsReady first).
    void Activate();
    // The heroine has taken the held ingredient.
    void TakeHeldIngredient();

    int GetMode() const { return mode_; }
    int GetProductionCount() const { return productionCount_; }
    float GetRestSeconds() const { return restSeconds_; }
    clsIngredientGraph* GetHeldIngredient() const { return heldIngredient_; }
    const clsHourglass& GetHourglass() const { return hourglass_; }

private:
    void ProduceIngredient();
    void DestroyHeldIngredient();

    float restTimerSeconds_ = 0.0f;
    int productionCount_ = 0;  // since the last sleep
    float sleepTimerSeconds_ = 0.0f;
    clsIngredientGraph* heldIngredient_ = nullptr;  // owned; handed to the scene's deletion
    float restSeconds_;
    int mode_ = kReady;
    clsHourglass hourglass_;
};

void PreloadFenixAnims(iGameAssets& assets);
