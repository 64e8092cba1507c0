// The phoenix tutorial's steps, the phoenix and the cauldron it watches, its hover test and clicks,
// and the shop's hooks it listens to.
#include "game/modes/tutorials/phoenix_tutorial.h"

#include "engine/core/base/log.h"
#include "game/data/game_tables.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/props/magic_box.h"

namespace {

enum Action {
    kMarkRecipeBoxes = clsStepTutorial::kFirstOwnAction,  // the book's tab opens; the recipe's boxes are marked
    kShowBoxMarkers,                                       // the marked boxes show their markers
    kWatchPhoenixCarrying,                                 // stays until the phoenix holds the feather
    kWatchFeatherInCauldron,                               // stays until the feather is in the cauldron
};

using Row = clsStepTutorial::ShowRow;
using Advance = clsStepTutorial::AdvanceRow;
using Pointer = clsStepTutorial::Pointer;
using G = clsTutorialFenix::Gate;

constexpr Row kShowRows[] = {
    {.step = 0, .action = clsStepTutorial::kFadeOverlay},
    {.step = 1, .message = 1, .mark = Pointer{46.8f, 102.3f}},
    {.step = 3, .message = 2},
    {.step = 5, .message = 3, .arrow = Pointer{632.0f, 161.3f, -90.0f, true}, .opens = G::kIngredientGate,
     .action = kMarkRecipeBoxes},
    {.step = 7, .message = 4, .opens = G::kPhoenixGate},
    {.step = 9, .message = 5, .opens = G::kBoxesGate, .action = kShowBoxMarkers},
    {.step = 10, .action = kWatchPhoenixCarrying},
    {.step = 11, .message = 6},
    {.step = 12, .action = kWatchFeatherInCauldron},
    {.step = 13, .message = 7},
    {.step = 15, .message = 8},
    {.step = 17, .action = clsStepTutorial::kFinish},
};

constexpr Advance kAdvanceRows[] = {
    {.step = 1, .continueShown = true, .pauseSeconds = 1.0f, .panel = TPoint{198, 0}, .staysAtStep = true},
    {.step = 2, .removesPointers = true, .continueShown = true},
    {.step = 4, .continueShown = false},
    {.step = 6, .removesPointers = true, .pauseSeconds = 1.0f, .panel = TPoint{244, 179}, .answer = true},
    {.step = 8, .continueShown = false},
    {.step = 10, .continueShown = false},
    {.step = 12, .continueShown = true},
    {.step = 14, .continueShown = true},
    {.step = 16, .pauseSeconds = 1.0f, .answer = true},
};

// Where the arrow points once a potion is chosen: the cauldron the recipe goes to.
constexpr Pointer kCauldronArrow{490.0f, 343.0f};
// The arrow stands above the feather the phoenix holds.
constexpr float kFeatherArrowX = 10.0f, kFeatherArrowY = -155.0f;
// A marked box's marker: a small mark over its ingredient.
constexpr char kMarkerTexture[] = "anim/tutorial_mark";
constexpr float kMarkerScale = 0.3f;
constexpr float kMarkerX = -28.8f, kMarkerY = -28.5f;
constexpr int kFeather = clsIngredientGraph::kPhoenixIngredient;

}  // namespace

TWindow* clsTutorialFenix::Create() { return new clsTutorialFenix; }

TClassId clsTutorialFenix::ClassId() { return reinterpret_cast<TClassId>(&clsTutorialFenix::Create); }

clsTutorialFenix::clsTutorialFenix()
    : clsStepTutorial(Options{.textPrefix = "tutorialFenix",
                              .heroineStart = {410.0f, 390.0f},
                              .hidesButtons = true,
                              .movingParts = {.phoenix = true, .harp = true, .plant = false},
                              .movesRadaduvoz = false},
                      kShowRows, kAdvanceRows) {
    BindPotionSelected(this, &clsTutorialFenix::OnPotionSelected);
}

clsTutorialFenix::~clsTutorialFenix() = default;

void clsTutorialFenix::OnPotionSelected(int n) {
    LogPrintf("[LOG] onPotionSelected %d", n);
    clsShopGame::OnPotionSelected(n);
    RunScript("DisableTab()");
    PlaceArrow(kCauldronArrow);
}

bool clsTutorialFenix::Act(int action) {
    switch (action) {
        case kMarkRecipeBoxes:
            RunScript(TString::Format("ActivateTabIndex(true, %d)", kTaughtPotion));
            MarkRecipeBoxes();
            return true;
        case kShowBoxMarkers:
            ShowBoxMarkers();
            return true;
        case kWatchPhoenixCarrying:
            return WatchPhoenixCarrying();
        case kWatchFeatherInCauldron:
            return WatchFeatherInCauldron();
        default:
            return true;
    }
}

// For each ingredient of the recipe, the last box that holds it.
void clsTutorialFenix::MarkRecipeBoxes() {
    const auto& boxes = GetMagicBoxes();
    markedBoxes_.assign(boxes.size(), false);
    const auto& potions = GetGameTables().potions;
    if (kTaughtPotion >= static_cast<int>(potions.size())) return;
    const std::vector<int>& recipe = potions[kTaughtPotion].ingredients;
    for (size_t i = recipe.size(); i-- > 0;) {
        for (size_t box = boxes.size(); box-- > 0;) {
            if (boxes[box]->GetIngredientId() != recipe[i]) continue;
            markedBoxes_[box] = true;
            break;
        }
    }
}

void clsTutorialFenix::ShowBoxMarkers() {
    const auto& boxes = GetMagicBoxes();
    for (size_t box = boxes.size(); box-- > 0;) {
        if (!IsBoxMarked(box)) continue;
        auto* marker = new clsAnimatedSprite(this);
        marker->SetTexture(marker->GetSceneTexture(kMarkerTexture));
        marker->SetScale(kMarkerScale);
        marker->Play("DoAnim");
        boxes[box]->AttachMarker(marker, kMarkerX, kMarkerY, true);
    }
}

void clsTutorialFenix::UnmarkBox(size_t index) {
    if (index >= markedBoxes_.size()) return;
    markedBoxes_[index] = false;
    GetMagicBoxes()[index]->SetMarkerVisible(false);
}

// The phoenix is back with the feather: the arrow shows it and the tutorial goes on.
bool clsTutorialFenix::WatchPhoenixCarrying() {
    clsFenix* phoenix = PhoenixSlot().get();
    clsIngredientGraph* feather = phoenix ? phoenix->GetHeldIngredient() : nullptr;
    clsSprite* icon = feather ? feather->GetIcon() : nullptr;
    if (!icon) return false;
    TVec2 at = icon->GetPosition();
    PlaceArrow({at.x + kFeatherArrowX, at.y + kFeatherArrowY});
    tutorialNextState();
    return false;
}

// The feather is in the remembered cauldron: the boxes and the cauldron close, and the tutorial goes on.
bool clsTutorialFenix::WatchFeatherInCauldron() {
    clsIngredientGraph* feather = rememberedCauldron_ ? rememberedCauldron_->FindIngredient(kFeather) : nullptr;
    if (!feather || !feather->IsMarked()) return false;
    Close(kIngredientGate | kBoxesGate);
    for (size_t box = markedBoxes_.size(); box-- > 0;)
        if (markedBoxes_[box]) UnmarkBox(box);
    tutorialNextState();
    return false;
}

// The marked boxes, the first cauldron's mouth and the phoenix behind their gates; the feather the
// phoenix holds, the bucket and the recipe book always.
clsShopGame::Hover clsTutorialFenix::FindHover(TPoint point) {
    Hover hover;
    if (IsOpen(kBoxesGate) && rememberedCauldron_) hover = HoverMarkedBoxes(point);
    if (!hover.object && IsOpen(kIngredientGate)) hover = HoverFirstMouth(point);
    if (!hover.object) {
        hover = HoverPhoenix(point);
        if (hover.kind == kHoverPhoenix && !IsOpen(kPhoenixGate)) hover = {};
    }
    if (!hover.object) hover = HoverBucket(point);
    if (!hover.object) hover = HoverBookPotion(point);
    return hover;
}

clsShopGame::Hover clsTutorialFenix::HoverMarkedBoxes(TPoint point) {
    const auto& boxes = GetMagicBoxes();
    for (size_t box = boxes.size(); box-- > 0;) {
        if (IsBoxMarked(box) && boxes[box]->HitTest(point))
            return {kHoverMagicBox, boxes[box]->GetIngredient()->GetIcon()};
    }
    return {};
}

clsShopGame::Hover clsTutorialFenix::HoverFirstMouth(TPoint point) {
    if (GetCauldrons().empty()) return {};
    clsCauldron& cauldron = *GetCauldrons().front();
    bool over = cauldron.GetMouthZone().Contains(point);
    cauldron.SetHighlight(over);
    if (!over) return {};
    return {kHoverCauldronMouth, cauldron.GetBody()};
}

// Sending the phoenix off is what the step asked: its gate closes and the tutorial goes on at once;
// taking its feather takes the arrow away.
bool clsTutorialFenix::OnMouseDown(TPoint) {
    if (IsOver() || !GetHoverObject()) return true;
    int kind = GetHoverKind();
    if (!QueueHoverOrder()) return true;
    if (kind == kHoverPhoenix) {
        Close(kPhoenixGate);
        ClearHover();
        tutorialNextState();
    } else if (kind == kHoverPhoenixItem) {
        RemovePointers();
    }
    return true;
}

// The book's paper, once it has appeared, closes the book's tabs.
void clsTutorialFenix::OnAnimationEnded(clsAnimatedSprite* sprite) {
    clsMagicBookPaper* book = GetMagicBook();
    if (sprite && book && sprite == &book->GetPaper()) {
        book->OnAnimationEnded(sprite);
        RunScript("playAnimationBook('', 'DisableTab')");
        return;
    }
    clsStepTutorial::OnAnimationEnded(sprite);
}

// The book's paper has reached a cauldron: the tutorial remembers it, and the script hears the
// recipe is there.
void clsTutorialFenix::Hook32(clsObjectGraph* object) {
    clsMagicBookPaper* book = GetMagicBook();
    bool paper = object && book && object == &book->GetPaper();
    clsCauldron* cauldron = paper ? FindCauldronOf(object->GetMoveTarget()) : nullptr;
    if (cauldron) rememberedCauldron_ = cauldron;
    clsStepTutorial::Hook32(object);
    if (cauldron) RunScript("playAnimationBook('', 'DisableTab')");
    if (paper) Continue();
}

// Taking from a marked box with a hand free takes its mark away.
void clsTutorialFenix::PerformAction(clsPlayerOrder* order) {
    bool takes = order && order->kind == clsPlayerOrder::kTakeIngredient && order->phase == clsPlayerOrder::kStarted &&
                 GetHeroine()->GetNumCarriedItems() <= 1;
    const auto& boxes = GetMagicBoxes();
    for (size_t box = 0; takes && box < boxes.size(); ++box)
        if (boxes[box]->GetIngredient()->GetIcon() == order->target) UnmarkBox(box);
    clsStepTutorial::PerformAction(order);
}
