// clsTutorialFenix ("TutorialFenixWindow"): the first level with the phoenix, played as a tutorial.
// The player chooses a potion whose recipe needs the phoenix's feather and sends it to the cauldron;
// the boxes of its other ingredients are marked. The player sends the phoenix off, fetches the rest
// meanwhile, takes the feather the phoenix brings and puts it into the cauldron. The messages are
// "tutorialFenix1" to "tutorialFenix8".
#pragma once

#include <vector>

#include "game/modes/tutorials/step_tutorial.h"

class clsCauldron;

class clsTutorialFenix : public clsStepTutorial {
public:
    // What the mouse may point at and click besides the phoenix's feather, the bucket and the recipe
    // book (hover kinds in brackets).
    enum Gate : uint8_t {
        kBoxesGate = 0x01,       // the marked boxes, once the recipe is in a cauldron (3)
        kIngredientGate = 0x02,  // the first cauldron's mouth (4)
        kPhoenixGate = 0x04,     // the phoenix itself (13)
    };
    // The potion brewed: its recipe needs the feather.
    static constexpr int kTaughtPotion = 8;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsTutorialFenix"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || clsShopGame::IsKindOf(id); }

    clsTutorialFenix();
    ~clsTutorialFenix() override;

    bool OnMouseDown(TPoint point) override;

    // The script function "onPotionSelected": the book shows potion n, open, and the arrow points at
    // the cauldron.
    void OnPotionSelected(int n);

    // The shop's hooks: the book's paper appearing and arriving at the cauldron, and her taking from
    // a marked box.
    void OnAnimationEnded(clsAnimatedSprite* sprite) override;
    void Hook32(clsObjectGraph* object) override;
    void PerformAction(clsPlayerOrder* order) override;

    clsCauldron* GetRememberedCauldron() const { return rememberedCauldron_; }
    // Whether the box at that index of the shop's list is marked.
    bool IsBoxMarked(size_t index) const { return index < markedBoxes_.size() && markedBoxes_[index]; }

protected:
    Hover FindHover(TPoint point) override;
    bool Act(int action) override;

private:
    void MarkRecipeBoxes();
    void ShowBoxMarkers();
    void UnmarkBox(size_t index);
    bool WatchPhoenixCarrying();
    bool WatchFeatherInCauldron();
    Hover HoverMarkedBoxes(TPoint point);
    Hover HoverFirstMouth(TPoint point);

    std::vector<bool> markedBoxes_;  // by the shop's box index
    clsCauldron* rememberedCauldron_ = nullptr;  // where the book's paper last went; not owned
};
