// The first-level tutorial's steps. Each show row runs once its pause is over: its message, its
// pointers, the gates it opens and closes and what it does besides; then the tutorial waits at the
// next step for the script's "tutorialNextState", whose advance row sets the next message's pause,
// panel and continue button. Steps 30 and 44 watch the shop every frame instead.
#include <optional>

#include "game/modes/tutorials/tutorial_game.h"
#include "engine/graphics/sprite.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer.h"
#include "game/shop/customers/roster.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/object_required.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/props/magic_box.h"

namespace {

// What a mark rings: a point of the screen, or an object of the shop wherever it stands.
enum MarkTarget {
    kAtPoint,
    kOnCustomer,   // the customer who came last
    kOnNeededBox,  // the box of the next ingredient the remembered cauldron needs (else the first box)
    kOnHeroine,
};

// A pointer's place (screen pixels; the arrow's is 145 px above and 21 px right of its tip, the
// mark's its top left corner), its rotation in degrees, whether it is mirrored, its scale, and the
// object a mark rings instead of the point.
struct Pointer {
    float x = 0.0f;
    float y = 0.0f;
    float rotation = 0.0f;
    bool flip = false;
    float scale = 1.0f;
    MarkTarget target = kAtPoint;
};
// Half the mark's picture: a mark placed by its corner this far from an object's centre rings it.
constexpr float kMarkHalfSize = 60.0f;
// A customer's middle, from where she stands (she may still be appearing, without a picture).
const TVec2 kCustomerMiddle{0.0f, -20.0f};

enum ShowAction {
    kNothingMore,
    kFadeOverlay,            // step 0: the overlay fades, then the first message is set up
    kSendCustomer,           // a customer asking for a potion comes in 4 to 5 seconds
    kPointAtRequestedPotion, // the book's tab of the customer's potion opens; the arrow points at it
    kOpenFirstPotionTab,     // the book's tab of potion 0 opens
    kWatchCustomerLeaving,   // stays until the served customer has gone
    kWatchTwoItemsCarried,   // stays until the heroine carries two items
    kFinish,
};

using G = clsTutorialGame::Gate;

// The book's tabs of potions 0 and 1, where the arrow points from the left.
constexpr Pointer kPotionTabArrows[] = {{623.0f, 33.0f, -90.0f, true}, {623.0f, 63.0f, -90.0f, true}};
constexpr int kCustomerArrivalMinMs = 4000, kCustomerArrivalMaxMs = 5000;

}  // namespace

struct clsTutorialGame::ShowRow {
    int step;
    int message = 0;  // 0: the panel keeps what it shows
    std::optional<Pointer> arrow;
    std::optional<Pointer> mark;
    uint8_t opens = 0;
    uint8_t closes = 0;
    ShowAction action = kNothingMore;
};

struct clsTutorialGame::AdvanceRow {
    int step;
    bool removesPointers = false;
    bool removesArrow = false;
    std::optional<bool> continueShown;
    std::optional<float> pauseSeconds;
    std::optional<TPoint> panel;
    uint8_t closes = 0;
    bool answer = false;
    bool staysAtStep = false;  // step 1: the show half moves on by itself
    int whileIngredientMissing = -1;  // the step to go back to while the recipe still lacks one
};

namespace {

using ShowRow = clsTutorialGame::ShowRow;
using AdvanceRow = clsTutorialGame::AdvanceRow;

const ShowRow kShowRows[] = {
    {.step = 0, .action = kFadeOverlay},
    {.step = 1, .message = 1},
    {.step = 3, .message = 2, .arrow = Pointer{300.0f, -14.4f, 60.0f}},
    {.step = 5, .message = 3, .arrow = Pointer{183.0f, -7.0f, 60.0f}},
    {.step = 7, .message = 4},
    {.step = 9, .message = 5, .arrow = Pointer{258.3f, 360.9f}, .action = kSendCustomer},
    {.step = 11, .message = 6, .mark = Pointer{.target = kOnCustomer}, .opens = G::kCustomersGate},
    {.step = 13, .message = 7, .mark = Pointer{722.0f, -16.0f}},
    {.step = 15, .message = 8, .opens = G::kMouthGate, .action = kPointAtRequestedPotion},
    {.step = 17, .message = 9, .mark = Pointer{433.0f, 394.0f, 0.0f, false, 0.5f}},
    {.step = 19, .message = 10, .mark = Pointer{.target = kOnNeededBox}, .opens = G::kBoxesGate},
    {.step = 21, .message = 11, .arrow = Pointer{483.3f, 328.8f}},
    {.step = 23, .message = 12, .arrow = Pointer{483.3f, 399.8f}, .opens = G::kFireGate, .closes = G::kMouthGate},
    {.step = 25, .message = 13, .closes = G::kFireGate},
    {.step = 27, .message = 14, .arrow = Pointer{465.0f, 293.8f}, .mark = Pointer{.target = kOnCustomer},
     .opens = G::kPickupGate | G::kCustomersGate},
    {.step = 29},
    {.step = 30, .action = kWatchCustomerLeaving},
    {.step = 31, .message = 15, .arrow = Pointer{333.3f, 352.8f}, .opens = G::kCustomersGate},
    {.step = 33, .message = 16},
    {.step = 35, .message = 17, .arrow = kPotionTabArrows[0], .opens = G::kMouthGate, .action = kOpenFirstPotionTab},
    {.step = 37, .message = 18, .arrow = Pointer{527.0f, 309.8f}, .opens = G::kDrainGate, .closes = G::kMouthGate},
    {.step = 39, .message = 19},
    {.step = 41, .message = 20, .mark = Pointer{.scale = 0.6f, .target = kOnHeroine}},
    {.step = 43, .message = 21, .mark = Pointer{.target = kOnNeededBox}, .opens = G::kBoxesGate | G::kAnyBoxGate},
    {.step = 44, .action = kWatchTwoItemsCarried},
    {.step = 45, .arrow = Pointer{614.0f, 82.0f, 0.0f, true}, .opens = G::kBucketGate, .closes = G::kBoxesGate},
    {.step = 47, .message = 22},
    {.step = 49, .action = kFinish},
};

const AdvanceRow kAdvanceRows[] = {
    {.step = 1, .continueShown = true, .pauseSeconds = 1.5f, .panel = TPoint{222, 101}, .staysAtStep = true},
    {.step = 2, .continueShown = true},
    {.step = 4, .removesPointers = true, .continueShown = true},
    {.step = 6, .continueShown = true},
    {.step = 8, .removesPointers = true, .continueShown = false, .pauseSeconds = 2.0f, .panel = TPoint{0, 245},
     .answer = true},
    {.step = 10, .removesPointers = true},
    {.step = 12, .removesPointers = true, .continueShown = true, .pauseSeconds = 5.0f, .panel = TPoint{184, 0},
     .answer = true},
    {.step = 14, .removesPointers = true, .continueShown = false},
    {.step = 16, .removesPointers = true, .continueShown = true, .pauseSeconds = 2.0f, .panel = TPoint{193, 173},
     .answer = true},
    {.step = 18, .removesPointers = true, .continueShown = false, .pauseSeconds = 2.0f, .panel = TPoint{90, 91},
     .answer = true},
    {.step = 20, .removesPointers = true, .continueShown = false},
    {.step = 22, .removesPointers = true, .continueShown = false, .whileIngredientMissing = 19},
    {.step = 24, .removesPointers = true, .continueShown = false},
    {.step = 26, .continueShown = false},
    {.step = 28, .removesArrow = true},
    {.step = 30, .removesPointers = true, .continueShown = false},
    {.step = 32, .removesPointers = true, .continueShown = true},
    {.step = 34, .continueShown = false},
    {.step = 36, .removesPointers = true},
    {.step = 38, .removesPointers = true, .continueShown = true},
    {.step = 40, .continueShown = true},
    {.step = 42, .continueShown = false},
    {.step = 44, .removesPointers = true},
    {.step = 46, .removesPointers = true, .continueShown = true, .closes = G::kBucketGate | G::kAnyBoxGate},
    {.step = 48, .pauseSeconds = 1.0f, .answer = true},
};

template <class Row, size_t kCount>
const Row* FindRow(const Row (&rows)[kCount], int step) {
    for (const Row& row : rows)
        if (row.step == step) return &row;
    return nullptr;
}

TVec2 PictureMiddle(clsSpriteObject& object) {
    TRect rect = object.GetFrameworkSprite()->GetRect(TSpriteState(), -1);
    return TVec2(static_cast<float>(rect.left + rect.right) / 2.0f, static_cast<float>(rect.top + rect.bottom) / 2.0f);
}

void Place(clsAnimatedSprite& sprite, const Pointer& pointer) {
    if (pointer.rotation != 0.0f) sprite.SetRotation(pointer.rotation);
    if (pointer.flip) sprite.SetSpriteFlags(true, false);
    if (pointer.scale != 1.0f) sprite.SetScale(pointer.scale);
    sprite.Update(0.0f);
}

}  // namespace

void clsTutorialGame::UpdateStep(float dt) {
    if (WaitPause(dt)) return;
    if (const ShowRow* row = FindRow(kShowRows, GetStep())) {
        if (row->action == kFadeOverlay) {
            StartWhenOverlayGone(dt);
        } else {
            Show(*row);
        }
    }
}

void clsTutorialGame::Show(const ShowRow& row) {
    switch (row.action) {
        case kWatchCustomerLeaving:
            if (!rememberedCustomer_) Continue();
            return;
        case kWatchTwoItemsCarried:
            WatchTwoItemsCarried();
            return;
        case kFinish:
            finalizeTutorial();
            return;
        default:
            break;
    }
    if (row.message > 0) ShowStepMessage(row.message);
    Open(row.opens);
    Close(row.closes);
    if (row.arrow) Place(ShowArrow(row.arrow->x, row.arrow->y), *row.arrow);
    if (row.mark) {
        TVec2 corner = MarkCorner(row.mark->target, TVec2(row.mark->x, row.mark->y), row.mark->scale);
        clsAnimatedSprite& mark = ShowMark(corner.x, corner.y);
        // The mark on the heroine goes where she goes.
        if (row.mark->target == kOnHeroine) {
            clsAnimatedSprite* body = GetHeroine()->GetBody();
            TVec2 offset = corner - body->GetPosition();
            mark.AttachTo(body, offset.x, offset.y);
        }
        Place(mark, *row.mark);
    }
    if (row.action == kSendCustomer) SendCustomer();
    if (row.action == kPointAtRequestedPotion) PointAtRequestedPotion();
    if (row.action == kOpenFirstPotionTab) RunScript("ActivateTabIndex(true, 0)");
    NextStep();
}

// Where a mark of that scale goes to ring its target: the point itself, or the corner that centres
// it on the object.
TVec2 clsTutorialGame::MarkCorner(int target, TVec2 point, float scale) const {
    if (target == kAtPoint) return point;
    TVec2 middle;
    if (target == kOnCustomer && rememberedCustomer_) middle = rememberedCustomer_->GetPosition() + kCustomerMiddle;
    if (target == kOnHeroine) middle = PictureMiddle(*GetHeroine()->GetBody());
    if (target == kOnNeededBox) {
        if (clsSpriteObject* box = FindNeededBox()) middle = PictureMiddle(*box);
    }
    return middle - TVec2(kMarkHalfSize, kMarkHalfSize) * scale;
}

clsSpriteObject* clsTutorialGame::FindNeededBox() const {
    const auto& boxes = GetMagicBoxes();
    if (boxes.empty()) return nullptr;
    int needed = NeededIngredient();
    for (auto& box : boxes)
        if (box->GetIngredientId() == needed) return box->GetIngredient()->GetIcon();
    return boxes.front()->GetIngredient()->GetIcon();
}

void clsTutorialGame::SendCustomer() {
    GetRoster()->AddArrival(kCustomerArrivalMinMs, kCustomerArrivalMaxMs, clsCustomerRoster::kAnyLevelPotion);
}

// The book opens the tab of the first customer's potion; the arrow shows the tabs of potions 0 and 1.
void clsTutorialGame::PointAtRequestedPotion() {
    clsClient* customer = GetPlace(0).customer;
    clsObjectRequired* request = customer ? customer->GetRequest(0) : nullptr;
    clsPotionGraph* potion = request ? request->AsPotionGraph() : nullptr;
    if (!potion) return;
    int n = potion->GetPotionId();
    RunScript(TString::Format("ActivateTabIndex(true, %d)", n));
    if (n == 0 || n == 1) Place(ShowArrow(kPotionTabArrows[n].x, kPotionTabArrows[n].y), kPotionTabArrows[n]);
}

void clsTutorialGame::WatchTwoItemsCarried() {
    if (GetHeroine()->GetNumCarriedItems() < 2) return;
    Close(kBoxesGate);
    ClearHover();
    Continue();
}

bool clsTutorialGame::tutorialNextState() {
    if (IsOver()) return true;
    const AdvanceRow* row = FindRow(kAdvanceRows, GetStep());
    return row && Advance(*row);
}

bool clsTutorialGame::Advance(const AdvanceRow& row) {
    if (row.removesPointers) RemovePointers();
    if (row.removesArrow) RemoveArrow();
    if (row.continueShown) SetContinue(*row.continueShown);
    if (row.pauseSeconds) SetPause(*row.pauseSeconds);
    if (row.panel) SetPanel(row.panel->x, row.panel->y);
    Close(row.closes);
    if (row.whileIngredientMissing >= 0 && NeededIngredient() >= 0) {
        SetStep(row.whileIngredientMissing);
    } else if (!row.staysAtStep) {
        NextStep();
    }
    return row.answer;
}
