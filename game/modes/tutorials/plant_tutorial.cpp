// The plant tutorial's steps, the plant it watches grow, its hover test and clicks, and the errand
// at the plant, which it does itself.
#include "game/modes/tutorials/plant_tutorial.h"

#include "game/shop/customers/customer.h"
#include "game/shop/customers/roster.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/props/plant.h"

namespace {

enum Action {
    kSendCustomer = clsStepTutorial::kFirstOwnAction,  // a customer asking for the fruit comes soon
    kStartWatching,                                     // the plant grows and may be clicked
};

using Row = clsStepTutorial::ShowRow;
using Advance = clsStepTutorial::AdvanceRow;
using Pointer = clsStepTutorial::Pointer;

constexpr Row kShowRows[] = {
    {.step = 0, .action = clsStepTutorial::kFadeOverlay},
    {.step = 1, .message = 1},
    {.step = 3, .message = 2, .arrow = Pointer{689.0f, 260.0f, 0.0f, true},
     .mark = Pointer{694.0f, 389.0f, 0.0f, false, 0.5f, 0.5f}},
    {.step = 5, .message = 3, .action = kSendCustomer},
    {.step = 8, .message = 4, .mark = Pointer{684.0f, 369.0f, 0.0f, false, 0.6f, 0.6f}},
    {.step = 10, .action = clsStepTutorial::kFinish},
};

constexpr Advance kAdvanceRows[] = {
    {.step = 1, .continueShown = true, .pauseSeconds = 1.5f, .panel = TPoint{199, 98}, .staysAtStep = true},
    {.step = 2, .continueShown = true},
    {.step = 4, .removesPointers = true, .continueShown = true},
    {.step = 6, .action = kStartWatching, .answer = true},
    {.step = 7, .continueShown = false, .pauseSeconds = 1.0f},
    {.step = 9, .pauseSeconds = 1.0f, .answer = true},
};

// The customer comes 2 to 3 seconds after the step.
constexpr int kCustomerArrivalMinMs = 2000, kCustomerArrivalMaxMs = 3000;
// Where the arrow shows the plant's balloon while the plant asks for something.
constexpr Pointer kBalloonArrow{719.0f, 278.0f, 0.0f, true};
// The chance, in percent, that a customer asks for the fruit, by the plant's stage (1 to 4).
constexpr int kFruitChanceByStage[] = {0, 0, 0, 30, 60};
constexpr char kPickSound[] = "audio/sfx/mainchar-pick";
constexpr int kMostCarried = 2;

}  // namespace

TWindow* clsTutorialPlant::Create() { return new clsTutorialPlant; }

TClassId clsTutorialPlant::ClassId() { return reinterpret_cast<TClassId>(&clsTutorialPlant::Create); }

clsTutorialPlant::clsTutorialPlant()
    : clsStepTutorial(Options{.textPrefix = "tutorialPlant",
                              .heroineStart = {450.0f, 300.0f},
                              .hidesButtons = true,
                              // The plant grows only while the tutorial watches it (WatchPlant).
                              .movingParts = {.phoenix = false, .harp = true, .plant = false},
                              .movesRadaduvoz = true},
                      kShowRows, kAdvanceRows) {}

clsTutorialPlant::~clsTutorialPlant() = default;

void clsTutorialPlant::Init(TWindowStyle& style) {
    clsStepTutorial::Init(style);
    if (clsPlant* plant = GetPlant()) plant->Update(0.0f);
}

bool clsTutorialPlant::Act(int action) {
    switch (action) {
        case kSendCustomer:
            GetRoster()->AddArrival(kCustomerArrivalMinMs, kCustomerArrivalMaxMs, clsCustomerRoster::kFruit);
            break;
        case kStartWatching:
            // The message panel goes: it would stand over the boxes the plant asks for.
            RunScript("wizardHidePanel()");
            Open(kPlantGate);
            watchingPlant_ = true;
            break;
        default:
            break;
    }
    return true;
}

void clsTutorialPlant::UpdateStep(float dt) {
    WatchPlant(dt);
    clsStepTutorial::UpdateStep(dt);
}

// While the plant asks for something the arrow shows its balloon and the boxes of what it asks for
// open; once its fruit is ripe the tutorial goes on.
void clsTutorialPlant::WatchPlant(float dt) {
    clsPlant* plant = GetPlant();
    if (!watchingPlant_ || !plant) return;
    plant->Update(dt);
    if (plant->HasRequests() && !GetArrow()) {
        PlaceArrow(kBalloonArrow);
        Open(kFruitBoxGate);
    }
    if (!plant->IsRipe()) return;
    watchingPlant_ = false;
    Close(kFruitBoxGate);
    tutorialNextState();
}

// The waiting customers always; the boxes of what the plant asks for and the plant behind their gates.
clsShopGame::Hover clsTutorialPlant::FindHover(TPoint point) {
    Hover hover = HoverPlaces(point);
    if (hover.kind != kHoverCustomer) hover = {};
    if (!hover.object && IsOpen(kFruitBoxGate)) hover = HoverFruitBoxes(point);
    if (!hover.object && IsOpen(kPlantGate)) hover = HoverPlant(point);
    return hover;
}

// A box of an ingredient the plant asks for, that she does not carry and no errand is on its way to.
clsShopGame::Hover clsTutorialPlant::HoverFruitBoxes(TPoint point) {
    clsPlant* plant = GetPlant();
    if (!plant) return {};
    for (auto& box : GetMagicBoxes()) {
        int id = box->GetIngredientId();
        clsSprite* icon = box->GetIngredient()->GetIcon();
        bool asked = false;
        for (int i = 0; i < plant->GetRequestCount(); ++i) asked = asked || plant->GetRequestId(i) == id;
        if (!asked || !icon || icon->IsMarked() || GetHeroine()->IsCarryingIngredient(id)) continue;
        if (box->HitTest(point)) return {kHoverMagicBox, icon};
    }
    return {};
}

bool clsTutorialPlant::OnMouseDown(TPoint) {
    if (IsOver()) return true;
    if (GetHoverObject()) QueueHoverOrder();
    return false;
}

void clsTutorialPlant::DropMoney(int potionMoney, int fruitMoney, int artifactMoney, int tipMoney,
                                 clsAnimatedSprite* body) {
    Continue();
    clsStepTutorial::DropMoney(potionMoney, fruitMoney, artifactMoney, tipMoney, body);
}

void clsTutorialPlant::AddCustomer(clsClient* customer) {
    clsStepTutorial::AddCustomer(customer);
    if (customer) customer->SetPatiencePaused(true);
}

// The customer and the boxes as in the shop; the plant the tutorial's way. The errands the tutorial
// never gives stay where they are.
void clsTutorialPlant::PerformAction(clsPlayerOrder* order) {
    if (!order) return;
    switch (order->kind) {
        case clsPlayerOrder::kServeCustomer:
        case clsPlayerOrder::kTakeIngredient:
            clsStepTutorial::PerformAction(order);
            break;
        case clsPlayerOrder::kTendPlant:
            RemoveCheckMark(kHoverPlant, order->target);
            if (order->phase == clsPlayerOrder::kStarted) TendPlant(*order);
            order->phase = clsPlayerOrder::kDone;
            break;
        default:
            break;
    }
}

// She picks the ripe fruit, or gives the plant what it asks for; how often customers ask for the
// fruit follows the plant's stage.
void clsTutorialPlant::TendPlant(clsPlayerOrder&) {
    clsPlant* plant = GetPlant();
    if (!plant) return;
    if (!plant->HasRequests()) {
        Harvest();
    } else if (GetHeroine()->CountCarriedIngredients() > 0) {
        FeedPlant();
    }
    int stage = plant->GetStage();
    if (stage >= 1 && stage <= clsPlant::kRipeStage) GetRoster()->SetFruitChance(kFruitChanceByStage[stage]);
}

// With a hand free she takes the ripe fruit and the plant starts again; the plant is done with.
void clsTutorialPlant::Harvest() {
    clsPlant* plant = GetPlant();
    if (!plant->IsRipe() || GetHeroine()->GetNumCarriedItems() >= kMostCarried) return;
    GetAssets().PlaySound(kPickSound, false);
    GetHeroine()->TakePotion(clsPotionGraph::kFruitPotion);
    plant->Restart();
    plant->Update(0.0f);
    RemovePointers();
    Close(kPlantGate);
}

void clsTutorialPlant::FeedPlant() {
    clsPlant* plant = GetPlant();
    for (int i = plant->GetRequestCount() - 1; i >= 0; --i) {
        int id = plant->GetRequestId(i);
        if (GetHeroine()->RemoveCarriedIngredient(id)) plant->FulfilRequest(id);
    }
    if (!plant->HasRequests()) RemovePointers();
}
