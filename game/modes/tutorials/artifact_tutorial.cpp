// The artifact tutorial's steps, its hover test and clicks through the gates, and the shop's hooks
// that tell the script the player has done what the step asked.
#include "game/modes/tutorials/artifact_tutorial.h"

#include "game/shop/customers/customer.h"
#include "game/shop/customers/roster.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/shelf.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/props/magic_box.h"

namespace {

enum Action {
    kSendCustomer = clsStepTutorial::kFirstOwnAction,  // a customer asking for an artifact comes soon
    kPointAtRequestedArtifact,                          // the arrow points at the artifact she asks for
};

using Row = clsStepTutorial::ShowRow;
using Advance = clsStepTutorial::AdvanceRow;
using G = clsTutorialArtifact::Gate;

constexpr Row kShowRows[] = {
    {.step = 0, .action = clsStepTutorial::kFadeOverlay},
    {.step = 1, .message = 1, .mark = clsStepTutorial::Pointer{222.0f, 0.0f, 0.0f, false, 0.9f, 0.5f}},
    {.step = 3, .message = 2},
    {.step = 5, .message = 3, .opens = G::kCustomersGate},
    {.step = 7, .message = 4, .opens = G::kShelfGate, .action = kPointAtRequestedArtifact},
    {.step = 10, .message = 5, .opens = G::kCustomersGate},
    {.step = 12, .message = 6, .opens = G::kShelfGate},
    {.step = 15, .message = 7},
    {.step = 17, .action = clsStepTutorial::kFinish},
};

constexpr Advance kAdvanceRows[] = {
    {.step = 1, .continueShown = true, .pauseSeconds = 1.5f, .panel = TPoint{70, 71}, .staysAtStep = true},
    {.step = 2, .continueShown = true},
    {.step = 4, .removesPointers = true, .continueShown = false, .pauseSeconds = 1.5f, .panel = TPoint{0, 224},
     .action = kSendCustomer, .answer = true},
    {.step = 6, .continueShown = false, .pauseSeconds = 5.0f, .panel = TPoint{80, 136}, .answer = true},
    {.step = 8, .removesPointers = true, .answer = true},
    {.step = 9, .continueShown = false, .pauseSeconds = 0.0f, .panel = TPoint{90, 0}},
    {.step = 11, .continueShown = false, .pauseSeconds = 1.5f, .panel = TPoint{80, 136}, .answer = true},
    {.step = 13, .answer = true},
    {.step = 14, .continueShown = true, .panel = TPoint{106, 213}, .answer = true},
    {.step = 16, .pauseSeconds = 1.5f, .answer = true},
};

// The customer comes 100 to 500 ms after the step.
constexpr int kCustomerArrivalMinMs = 100, kCustomerArrivalMaxMs = 500;
// The arrow stands right of the artifact, pointing at it.
constexpr float kArrowOffsetX = 147.0f, kArrowOffsetY = 17.0f, kArrowRotation = 90.0f;

}  // namespace

TWindow* clsTutorialArtifact::Create() { return new clsTutorialArtifact; }

TClassId clsTutorialArtifact::ClassId() { return reinterpret_cast<TClassId>(&clsTutorialArtifact::Create); }

clsTutorialArtifact::clsTutorialArtifact()
    : clsStepTutorial(Options{.textPrefix = "tutorialArtifact",
                              .heroineStart = {450.0f, 300.0f},
                              .hidesButtons = true,
                              .movingParts = {.phoenix = false, .harp = true, .plant = false},
                              .movesRadaduvoz = true},
                      kShowRows, kAdvanceRows) {}

clsTutorialArtifact::~clsTutorialArtifact() = default;

bool clsTutorialArtifact::Act(int action) {
    switch (action) {
        case kSendCustomer:
            GetRoster()->AddArrival(kCustomerArrivalMinMs, kCustomerArrivalMaxMs, clsCustomerRoster::kFirstArtifact);
            break;
        case kPointAtRequestedArtifact:
            PointAtRequestedArtifact();
            break;
        default:
            break;
    }
    return true;
}

void clsTutorialArtifact::PointAtRequestedArtifact() {
    if (requestedItemId_ < 0) return;
    int slot = FindShelfSlotOf(requestedItemId_);
    clsObjectRequired* item = slot >= 0 ? GetShelf()->GetSlotItem(slot) : nullptr;
    if (!item || !item->GetSprite()) return;
    TVec2 at = item->GetSprite()->GetPosition();
    PlaceArrow({at.x + kArrowOffsetX, at.y + kArrowOffsetY, kArrowRotation});
}

clsShopGame::Hover clsTutorialArtifact::FindHover(TPoint point) {
    Hover hover;
    if (IsOpen(kCustomersGate)) hover = HoverPlaces(point);
    if (!hover.object && IsOpen(kShelfGate)) hover = HoverRequestedArtifact(point);
    return hover;
}

// Only the artifact the customer asks for, the highest slot first.
clsShopGame::Hover clsTutorialArtifact::HoverRequestedArtifact(TPoint point) {
    clsShelf* shelf = GetShelf();
    for (int slot = shelf->GetSlotCount() - 1; slot >= 0; --slot) {
        clsObjectRequired* item = shelf->GetSlotItem(slot);
        clsArtifact* artifact = item ? item->AsArtifact() : nullptr;
        if (!artifact || artifact->GetArtifactId() != requestedItemId_) continue;
        if (SpriteRectContains(item->GetSprite(), point)) return {kHoverArtifact, item->GetSprite()};
    }
    return {};
}

// The customer and the artifact close their gates once clicked: the script hears of the first
// talk with the customer and of the artifact taken.
bool clsTutorialArtifact::OnMouseDown(TPoint) {
    if (IsOver() || !GetHoverObject()) return true;
    int kind = GetHoverKind();
    auto* body = dynamic_cast<clsObjectGraph*>(GetHoverObject());
    auto* customer = body && kind == kHoverCustomer ? dynamic_cast<clsClient*>(body->GetUserPointer()) : nullptr;
    if (!QueueHoverOrder()) return true;
    if (kind == kHoverCustomer) {
        Close(kCustomersGate);
        ClearHover();
        if (customer && customer->GetServiceState() == clsClient::kWaitingForAttention) Continue();
    } else if (kind == kHoverArtifact) {
        Close(kShelfGate);
        ClearHover();
        Continue();
    }
    return true;
}

void clsTutorialArtifact::OnAnimationEnded(clsAnimatedSprite* sprite) {
    clsPlayer* heroine = GetHeroine();
    if (heroine && sprite == heroine->GetBody() && heroine->GetState() == clsPlayer::kActivationEnd) Continue();
    clsStepTutorial::OnAnimationEnded(sprite);
}

void clsTutorialArtifact::DropMoney(int potionMoney, int fruitMoney, int artifactMoney, int tipMoney,
                                    clsAnimatedSprite* body) {
    Continue();
    clsStepTutorial::DropMoney(potionMoney, fruitMoney, artifactMoney, tipMoney, body);
}

void clsTutorialArtifact::AddCustomer(clsClient* customer) {
    clsStepTutorial::AddCustomer(customer);
    if (!customer) return;
    customer->SetPatiencePaused(true);
    clsObjectRequired* first = customer->GetNumRequestedItems() > 0 ? customer->GetRequest(0) : nullptr;
    if (clsArtifact* artifact = first ? first->AsArtifact() : nullptr) requestedItemId_ = artifact->GetArtifactId();
}

void clsTutorialArtifact::ResetArtifact(int slot) {
    if (GetStep() == kAwaitingReturnStep) Continue();
    clsStepTutorial::ResetArtifact(slot);
}
