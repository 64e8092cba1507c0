// clsTutorialGame ("TutorialGameWindow"): the first level played as a tutorial. A customer comes in
// and the player is led through the shop one kind of object at a time: the customer, the recipe
// book, the ingredient boxes, the cauldron's mouth, fire and drain, the finished potion, the money
// and the bucket. Each kind of object answers the mouse only while its gate is open; the messages
// are "tutorialGame1" to "tutorialGame22".
//
//   tutorial_game.cpp         construction, the shop hooks it listens to, the potion choice, the end
//   tutorial_game_steps.cpp   the step tables and the two halves of a step
//   tutorial_game_input.cpp   the hover test and the clicks through the gates
#pragma once

#include <cstdint>

#include "game/modes/tutorials/tutorial_screen.h"

class clsCauldron;
class clsClient;
class clsSpriteObject;

class clsTutorialGame : public clsTutorialScreen {
public:
    // The gates: what the mouse may point at and click (hover kinds of the shop in brackets).
    enum Gate : uint8_t {
        kCustomersGate = 0x01,  // waiting customers and the money on the counter (1, 2)
        kMouthGate = 0x02,      // a cauldron's mouth (4)
        kFireGate = 0x04,       // the fire under a cauldron, and the mouth of one ready for it (5)
        kDrainGate = 0x08,      // the drain that empties a cauldron (6)
        kBoxesGate = 0x10,      // the box of the next ingredient the remembered cauldron needs (3)
        kPickupGate = 0x20,     // a finished potion (7)
        kBucketGate = 0x40,     // the bucket (8)
        kAnyBoxGate = 0x80,     // with the boxes gate: any box once that ingredient is in
    };
    // After the last step.
    static constexpr int kFinished = 50;
    // The step tables' rows (tutorial_game_steps.cpp).
    struct ShowRow;
    struct AdvanceRow;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsTutorialGame"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || clsShopGame::IsKindOf(id); }

    clsTutorialGame();
    ~clsTutorialGame() override;

    // The step protocol.
    bool tutorialNextState() override;
    void UpdateStep(float dt) override;
    void finalizeTutorial() override;

    // The script function "onPotionSelected": the book shows potion n, open, and the arrow points at
    // the cauldron.
    void OnPotionSelected(int n);

    // The shop's hooks.
    void OnAnimationEnded(clsAnimatedSprite* sprite) override;
    void Hook32(clsObjectGraph* object) override;
    void ShowStars(int potionId, clsAnimatedSprite* sprite, clsCauldron* cauldron) override;
    void OnMoneyChanged() override;
    void AddCustomer(clsClient* customer) override;
    void OnFxEnd(clsParticleFx* effect) override;

    bool OnMouseDown(TPoint point) override;

    uint8_t GetGates() const { return gates_; }
    bool IsOpen(Gate gate) const { return (gates_ & gate) != 0; }
    clsCauldron* GetRememberedCauldron() const { return rememberedCauldron_; }
    clsClient* GetRememberedCustomer() const { return rememberedCustomer_; }

protected:
    Hover FindHover(TPoint point) override;
    void OnCustomersUpdated() override;

private:
    // The two halves of a step and the show half's extras (tutorial_game_steps.cpp).
    void Show(const ShowRow& row);
    bool Advance(const AdvanceRow& row);
    void SendCustomer();
    void PointAtRequestedPotion();
    void WatchTwoItemsCarried();
    TVec2 MarkCorner(int target, TVec2 point, float scale) const;
    // The next ingredient the remembered cauldron's recipe lacks; -1 when it lacks none.
    int NeededIngredient() const;
    clsSpriteObject* FindNeededBox() const;

    // The hover tests behind the gates (tutorial_game_input.cpp).
    Hover HoverGatedBoxes(TPoint point);
    Hover HoverGatedCauldrons(TPoint point);
    void AfterOrder(int kind);

    void Continue();
    void Open(uint8_t gates) { gates_ |= gates; }
    void Close(uint8_t gates) { gates_ &= static_cast<uint8_t>(~gates); }

    uint8_t gates_ = 0;
    clsCauldron* rememberedCauldron_ = nullptr;  // where the book's paper last went; not owned
    clsClient* rememberedCustomer_ = nullptr;    // the customer who came last; not owned
};
