// The mouse in the first-level tutorial: the hover test finds only what the open gates let the
// player point at, and a click gives the heroine the errand as in the shop, then closes the gate of
// what the step asked for and tells the script.
#include "game/modes/tutorials/tutorial_game.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/props/magic_box.h"

clsShopGame::Hover clsTutorialGame::FindHover(TPoint point) {
    Hover hover;
    if (IsOpen(kCustomersGate)) hover = HoverPlaces(point);
    if (!hover.object && IsOpen(kBoxesGate)) hover = HoverGatedBoxes(point);
    if (!hover.object) hover = HoverGatedCauldrons(point);
    if (!hover.object && IsOpen(kPickupGate)) hover = HoverPickups(point);
    if (!hover.object && IsOpen(kBucketGate)) hover = HoverBucket(point);
    if (!hover.object) hover = HoverBookPotion(point);
    return hover;
}

// Only the box of the next ingredient the remembered cauldron needs; any box once the recipe is in
// and the any-box gate is open. Without a remembered cauldron no box answers.
clsShopGame::Hover clsTutorialGame::HoverGatedBoxes(TPoint point) {
    if (!rememberedCauldron_) return {};
    int needed = NeededIngredient();
    if (needed < 0 && !IsOpen(kAnyBoxGate)) return {};
    for (auto& box : GetMagicBoxes()) {
        if (needed >= 0 && box->GetIngredientId() != needed) continue;
        if (box->HitTest(point)) return {kHoverMagicBox, box->GetIngredient()->GetIcon()};
    }
    return {};
}

// The cauldrons' regions whose gates are open, the last cauldron first; the mouth of a cauldron
// ready for its fire lights the fire while the fire gate is open.
clsShopGame::Hover clsTutorialGame::HoverGatedCauldrons(TPoint point) {
    const auto& cauldrons = GetCauldrons();
    for (size_t i = cauldrons.size(); i-- > 0;) {
        clsCauldron& cauldron = *cauldrons[i];
        bool ready = cauldron.GetState() == clsCauldron::kReadyForFire;
        int kind = kHoverNothing;
        if (cauldron.GetMouthZone().Contains(point) && (IsOpen(kMouthGate) || (ready && IsOpen(kFireGate))))
            kind = ready && IsOpen(kFireGate) ? kHoverCauldronFire : kHoverCauldronMouth;
        else if (IsOpen(kFireGate) && cauldron.GetFireZone().Contains(point))
            kind = kHoverCauldronFire;
        else if (IsOpen(kDrainGate) && cauldron.GetEmptyZone().Contains(point))
            kind = kHoverCauldronEmpty;
        cauldron.SetHighlight(kind == kHoverCauldronMouth);
        if (kind != kHoverNothing) return {kind, cauldron.GetBody()};
    }
    return {};
}

bool clsTutorialGame::OnMouseDown(TPoint) {
    if (IsOver() || !GetHoverObject()) return true;
    int kind = GetHoverKind();
    if (QueueHoverOrder()) AfterOrder(kind);
    return true;
}

// What the step asked for is done: its gate closes and the script hears of it.
void clsTutorialGame::AfterOrder(int kind) {
    switch (kind) {
        case kHoverCustomer: {
            auto* body = dynamic_cast<clsObjectGraph*>(GetHoverObject());
            auto* customer = body ? dynamic_cast<clsClient*>(body->GetUserPointer()) : nullptr;
            ClearHover();
            if (customer && customer->GetServiceState() == clsClient::kWaitingForAttention) {
                Close(kCustomersGate);
                Continue();
            }
            break;
        }
        case kHoverMoney:
            RemovePointers();
            break;
        case kHoverMagicBox:
            if (IsOpen(kAnyBoxGate)) break;
            Close(kBoxesGate);
            ClearHover();
            Continue();
            break;
        case kHoverCauldronEmpty:
            Close(kDrainGate);
            ClearHover();
            Continue();
            break;
        case kHoverPickup:
            Close(kPickupGate);
            ClearHover();
            Continue();
            break;
        case kHoverBucket:
            if (GetHeroine()->GetNumCarriedItems() < 2) Continue();
            break;
        default:
            break;
    }
}

int clsTutorialGame::NeededIngredient() const {
    if (!rememberedCauldron_) return -1;
    for (int i = 0; i < rememberedCauldron_->GetIngredientCount(); ++i)
        if (int id = rememberedCauldron_->GetIngredientId(i); id >= 0) return id;
    return -1;
}
