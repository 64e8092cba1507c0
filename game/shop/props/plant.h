// clsPlant: the magic plant. It grows in four stages; at each of the first three it asks, in a
// thought balloon, for ingredients (one, one, then two), and grows on once the heroine has brought
// them all. At stage 4 it bears a fruit; picking it starts the plant again from stage 1.
#pragma once

#include <memory>
#include <vector>

#include "game/shop/objects/actor.h"

class iGameAssets;
class clsIngredientGraph;

class clsPlant : public clsActor {
public:
    static constexpr int kRipeStage = 4;

    // ingredientIds: the level's ingredients, which requests are picked from; charmBits: the charms of
    // the player's saved level (the growth charm shortens every stage).
    clsPlant(iGameScene* owner, const std::vector<int>& ingredientIds, int charmBits);
    ~clsPlant() override;

    // The stages' animations choose themselves.
    void RefreshAnimation() override {}
    // A stage animation has ended; at stage 4 the fruit sparkles.
    void OnMoveEnded() override;
    // The timer of the next request, then the requests.
    void Update(float dt) override;
    // The fruit's sparkle, the plant, its balloon and requests.
    void Draw() override;

    bool HasRequests() const { return !requests_.empty() && stage_ != kRipeStage; }
    int GetRequestCount() const { return static_cast<int>(requests_.size()); }
    // -1 when i is no request.
    int GetRequestId(int i) const;
    bool IsRipe() const { return stage_ == kRipeStage; }
    int GetStage() const { return stage_; }
    clsSprite* GetHoverSprite() const { return balloon_.get(); }

    // Removes every request for the ingredient; true when none is left and the plant grows.
    bool FulfilRequest(int ingredientId);
    // The fruit was picked: back to stage 1.
    void Restart();

    bool IsAnimating() const { return animating_; }
    bool IsRipeShown() const { return ripeShown_; }
    const TString& GetStageEvent() const { return stageEvent_; }
    float GetTimerSeconds() const { return timerSeconds_; }
    clsAnimatedSprite& GetFruitSparkle() const { return *fruitSparkle_; }
    const std::vector<clsIngredientGraph*>& GetRequests() const { return requests_; }

private:
    // A pool entry at random, -1 when the pool holds none.
    int PickRequest() const;
    // One more request (at most two), shown in the balloon.
    void AddRequest();
    // Places the request icons in the balloon.
    void ArrangeRequests();
    void ClearRequests();
    // Plays the stage's growth and moves to the next stage (stages 1 to 3 only).
    void AdvanceStage();
    // Seconds until the stage's request, with the growth charm; not positive at stage 4.
    float StageSeconds() const;
    void PlayStageEvent(const TString& event);

    std::unique_ptr<clsSprite> balloon_;
    std::vector<clsIngredientGraph*> requests_;  // owned, at most two
    std::vector<int> requestPool_;
    TString stageEvent_;
    int stage_ = 1;
    float timerSeconds_ = 0.0f;
    bool animating_ = false;  // a stage animation plays; the timer stands still
    bool ripeShown_ = false;
    std::unique_ptr<clsAnimatedSprite> fruitSparkle_;
    float growthFactor_ = 1.0f;
};

void PreloadPlantAnims(iGameAssets& assets);
