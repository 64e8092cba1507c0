// clsTutorialArtifact ("TutorialArtifactWindow"): the first level with an artifact on the shelf,
// played as a tutorial. A customer comes in for the artifact; the player hears what she wants, takes
// the artifact from the shelf (the heroine calls up its magic), hands it over, and has Radaduvoz
// bring the spent artifact back. The messages are "tutorialArtifact1" to "tutorialArtifact7".
#pragma once

#include "game/modes/tutorials/step_tutorial.h"

class clsTutorialArtifact : public clsStepTutorial {
public:
    // What the mouse may point at and click (hover kinds of the shop in brackets).
    enum Gate : uint8_t {
        kShelfGate = 0x01,      // the artifact the customer asks for, on the shelf (12)
        kCustomersGate = 0x02,  // waiting customers and the money on the counter (1, 2)
    };
    // The step at which Radaduvoz's return of the artifact tells the script.
    static constexpr int kAwaitingReturnStep = 14;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsTutorialArtifact"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || clsShopGame::IsKindOf(id); }

    clsTutorialArtifact();
    ~clsTutorialArtifact() override;

    bool OnMouseDown(TPoint point) override;

    // The shop's hooks: the end of the heroine's invocation, the customer's money, a new customer
    // (her patience waits; the artifact she asks for is remembered), an artifact back on the shelf.
    void OnAnimationEnded(clsAnimatedSprite* sprite) override;
    void DropMoney(int potionMoney, int fruitMoney, int artifactMoney, int tipMoney,
                   clsAnimatedSprite* body) override;
    void AddCustomer(clsClient* customer) override;
    void ResetArtifact(int slot) override;

    // The artifact id the tutorial's customer asks for; -1 before she has come.
    int GetRequestedItemId() const { return requestedItemId_; }

protected:
    Hover FindHover(TPoint point) override;
    bool Act(int action) override;

private:
    void PointAtRequestedArtifact();
    Hover HoverRequestedArtifact(TPoint point);

    int requestedItemId_ = -1;
};
