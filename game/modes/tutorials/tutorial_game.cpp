#include "game/modes/tutorials/tutorial_game.h"

#include "engine/core/base/log.h"
#include "game/shop/customers/customer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/score_panel.h"
#include "game/shop/particles/particle_fx.h"
#include "game/shop/props/magic_book_paper.h"

namespace {

// Where the arrow points once a potion is chosen: the cauldron the recipe goes to.
const TVec2 kCauldronArrow{490.0f, 343.0f};

}  // namespace

TWindow* clsTutorialGame::Create() { return new clsTutorialGame; }

TClassId clsTutorialGame::ClassId() { return reinterpret_cast<TClassId>(&clsTutorialGame::Create); }

// The buttons stay where they are; of the helpers only Radaduvoz works.
clsTutorialGame::clsTutorialGame()
    : clsTutorialScreen(Options{.textPrefix = "tutorialGame",
                                .heroineStart = {450.0f, 300.0f},
                                .hidesButtons = false,
                                .movingParts = {.phoenix = false, .harp = false, .plant = false},
                                .movesRadaduvoz = true}) {
    BindPotionSelected(this, &clsTutorialGame::OnPotionSelected);
}

clsTutorialGame::~clsTutorialGame() = default;

void clsTutorialGame::OnPotionSelected(int n) {
    LogPrintf("[LOG] onPotionSelected %d", n);
    clsShopGame::OnPotionSelected(n);
    RunScript("DisableTab()");
    ShowArrow(kCauldronArrow.x, kCauldronArrow.y);
}

void clsTutorialGame::Continue() { RunScript("onWizardContinue()"); }

// The first halves of her throw and of lighting the fire tell the script she did what was asked; the
// book's paper, once it has appeared, closes the book's tabs.
void clsTutorialGame::OnAnimationEnded(clsAnimatedSprite* sprite) {
    clsPlayer* heroine = GetHeroine();
    if (sprite && heroine && sprite == heroine->GetBody()) {
        int state = heroine->GetState();
        clsShopGame::OnAnimationEnded(sprite);
        if (state == clsPlayer::kThrowing || state == clsPlayer::kFiring) Continue();
        return;
    }
    clsMagicBookPaper* book = GetMagicBook();
    if (sprite && book && sprite == &book->GetPaper()) {
        book->OnAnimationEnded(sprite);
        RunScript("playAnimationBook('', 'DisableTab')");
        return;
    }
    clsShopGame::OnAnimationEnded(sprite);
}

// The book's paper has reached the cauldron: the tutorial remembers the cauldron.
void clsTutorialGame::Hook32(clsObjectGraph* object) {
    clsMagicBookPaper* book = GetMagicBook();
    bool paper = object && book && object == &book->GetPaper();
    if (paper) {
        if (clsCauldron* cauldron = FindCauldronOf(object->GetMoveTarget())) rememberedCauldron_ = cauldron;
    }
    clsShopGame::Hook32(object);
    if (paper) Continue();
}

void clsTutorialGame::ShowStars(int potionId, clsAnimatedSprite* sprite, clsCauldron* cauldron) {
    clsShopGame::ShowStars(potionId, sprite, cauldron);
    Continue();
}

// The score shows the money; there are no goals to reach.
void clsTutorialGame::OnMoneyChanged() {
    if (GetScorePanel()) GetScorePanel()->SetScore(GetMoney());
}

// The customer waits as long as the tutorial takes.
void clsTutorialGame::AddCustomer(clsClient* customer) {
    clsShopGame::AddCustomer(customer);
    if (!customer) return;
    customer->SetPatiencePaused(true);
    rememberedCustomer_ = customer;
    Continue();
}

// A money spark has landed: its amount counts.
void clsTutorialGame::OnFxEnd(clsParticleFx* effect) {
    effect->SetStopped(true);
    LandMoneySpark();
    Continue();
}

// The remembered customer is forgotten once she has left her place.
void clsTutorialGame::OnCustomersUpdated() {
    if (!rememberedCustomer_) return;
    for (int i = 0; i < kPlaceCount; ++i)
        if (GetPlace(i).customer == rememberedCustomer_) return;
    rememberedCustomer_ = nullptr;
}

void clsTutorialGame::finalizeTutorial() {
    MoveButtonsAway();
    RemovePointers();
    LeaveShop();
    SetStep(kFinished);
}
