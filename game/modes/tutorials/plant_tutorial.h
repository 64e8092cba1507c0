// clsTutorialPlant ("TutorialPlantWindow"): the first level with the magic plant, played as a
// tutorial. The plant starts to grow once the player has read about it; the player brings what it
// asks for from the magic boxes until it bears its fruit, picks the fruit and serves it to the
// customer who came for it. The messages are "tutorialPlant1" to "tutorialPlant4".
#pragma once

#include "game/modes/tutorials/step_tutorial.h"

class clsTutorialPlant : public clsStepTutorial {
public:
    // What the mouse may point at and click besides the waiting customers (hover kinds in brackets).
    enum Gate : uint8_t {
        kPlantGate = 0x01,     // the plant (10)
        kFruitBoxGate = 0x02,  // the boxes of what the plant asks for (3)
    };

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsTutorialPlant"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || clsShopGame::IsKindOf(id); }

    clsTutorialPlant();
    ~clsTutorialPlant() override;

    // The tutorial's set-up; the plant stands at its first stage.
    void Init(TWindowStyle& style) override;
    // The plant grows while the tutorial watches it; then the steps.
    void UpdateStep(float dt) override;
    bool OnMouseDown(TPoint point) override;

    // The shop's hooks: the customer's money, a new customer (her patience waits), and the errands,
    // of which the tutorial does its own at the plant.
    void DropMoney(int potionMoney, int fruitMoney, int artifactMoney, int tipMoney,
                   clsAnimatedSprite* body) override;
    void AddCustomer(clsClient* customer) override;
    void PerformAction(clsPlayerOrder* order) override;

    bool IsWatchingPlant() const { return watchingPlant_; }

protected:
    Hover FindHover(TPoint point) override;
    bool Act(int action) override;

private:
    void WatchPlant(float dt);
    Hover HoverFruitBoxes(TPoint point);
    void TendPlant(clsPlayerOrder& order);
    void Harvest();
    void FeedPlant();

    bool watchingPlant_ = false;  // the plant grows and the tutorial watches it
};
