// What the mouse points at: on every move the hover test looks for the object under the cursor in a
// fixed order (customers and their money, the phoenix, the ingredient boxes, the finished potions,
// the cauldrons, the bucket, harp and plant, the shelf, the recipe book's potion), lights up the
// cauldron whose mouth is pointed at, and shows the hand over an object and the arrow elsewhere.
#include "engine/graphics/sprite.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/object_required.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "game/shop/props/bucket.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/props/plant.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"

namespace {

// Hit tests of the framework sprites: drawn pixels (alpha at least 1), or the rectangle alone.
constexpr int kOpaquePixels = 1;
constexpr int kRectangleOnly = -1;
constexpr int kWholeTree = -1;

}  // namespace

bool clsShopGame::OnMouseMove(TPoint point) {
    clsGameInterface::OnMouseMove(point);
    if (state_ == kFinishing || state_ == kResultShown) return false;
    bool wasHovering = hoverObject_ != nullptr;
    Hover hover = FindHover(point);
    hoverKind_ = hover.kind;
    hoverObject_ = hover.object;
    clsGameSession* session = clsGameSession::Instance();
    if (!wasHovering && hoverObject_) session->SetCursor(clsGameSession::kHandCursor, false);
    if (wasHovering && !hoverObject_) session->SetCursor(clsGameSession::kArrowCursor, false);
    return true;
}

// The first object found, in the order a player sees them stacked; the floor when none.
clsShopGame::Hover clsShopGame::FindHover(TPoint point) {
    Hover hover = HoverPlaces(point);
    if (!hover.object) hover = HoverPhoenix(point);
    if (!hover.object) hover = HoverMagicBoxes(point);
    if (!hover.object) hover = HoverPickups(point);
    if (!hover.object) hover = HoverCauldrons(point);
    if (!hover.object) hover = HoverProps(point);
    if (!hover.object) hover = HoverShelf(point);
    if (!hover.object) hover = HoverBookPotion(point);
    return hover;
}

bool clsShopGame::SpriteHit(clsSpriteObject* sprite, TPoint point, int threshold) const {
    return sprite && sprite->GetFrameworkSprite()->HitTest(point, hoverSprite_->GetState(), threshold, kWholeTree);
}

// A waiting customer on its body or on its shown request; the money on a place without one.
clsShopGame::Hover clsShopGame::HoverPlaces(TPoint point) {
    for (CustomerPlace& place : places_) {
        clsClient* customer = place.customer;
        int service = customer ? customer->GetServiceState() : 0;
        if (service >= clsClient::kWaitingForAttention && service <= clsClient::kWaitingForItems) {
            clsAnimatedSprite* bubble = customer->GetRequestBubble();
            bool bubbleHit = bubble && bubble->IsVisible() && SpriteHit(bubble, point, kRectangleOnly);
            if (bubbleHit || SpriteHit(customer->GetBody(), point, kOpaquePixels))
                return {kHoverCustomer, customer->GetBody()};
        } else if (SpriteHit(place.moneyItem, point, kRectangleOnly)) {
            return {kHoverMoney, place.moneyItem};
        }
    }
    return {};
}

// The ingredient the phoenix holds, else the phoenix itself.
clsShopGame::Hover clsShopGame::HoverPhoenix(TPoint point) {
    if (!phoenix_) return {};
    clsIngredientGraph* held = phoenix_->GetHeldIngredient();
    if (held && SpriteRectContains(held->GetIcon(), point)) return {kHoverPhoenixItem, held->GetIcon()};
    if (SpriteHit(phoenix_->GetBody(), point, kOpaquePixels)) return {kHoverPhoenix, phoenix_->GetBody()};
    return {};
}

clsShopGame::Hover clsShopGame::HoverMagicBoxes(TPoint point) {
    for (auto& box : magicBoxes_)
        if (box->HitTest(point)) return {kHoverMagicBox, box->GetIngredient()->GetIcon()};
    return {};
}

clsShopGame::Hover clsShopGame::HoverPickups(TPoint point) {
    for (size_t i = pickups_.size(); i-- > 0;)
        if (SpriteRectContains(pickups_[i].potion, point)) return {kHoverPickup, pickups_[i].potion};
    return {};
}

// A cauldron's mouth, fire or drain, the last cauldron first; each cauldron looked at shows whether
// its mouth is pointed at.
clsShopGame::Hover clsShopGame::HoverCauldrons(TPoint point) {
    for (size_t i = cauldrons_.size(); i-- > 0;) {
        clsCauldron& cauldron = *cauldrons_[i];
        int kind = cauldron.GetMouthZone().Contains(point)   ? kHoverCauldronMouth
                   : cauldron.GetFireZone().Contains(point)  ? kHoverCauldronFire
                   : cauldron.GetEmptyZone().Contains(point) ? kHoverCauldronEmpty
                                                              : kHoverNothing;
        cauldron.SetHighlight(kind == kHoverCauldronMouth);
        if (kind != kHoverNothing) return {kind, cauldron.GetBody()};
    }
    return {};
}

clsShopGame::Hover clsShopGame::HoverBucket(TPoint point) {
    if (SpriteHit(bucket_->GetBody(), point, kOpaquePixels)) return {kHoverBucket, bucket_->GetBody()};
    return {};
}

clsShopGame::Hover clsShopGame::HoverProps(TPoint point) {
    if (Hover bucket = HoverBucket(point); bucket.object) return bucket;
    if (harp_ && SpriteHit(harp_->GetBody(), point, kRectangleOnly)) return {kHoverHarp, harp_->GetBody()};
    return HoverPlant(point);
}

// The plant, or its balloon while it shows.
clsShopGame::Hover clsShopGame::HoverPlant(TPoint point) {
    if (!plant_) return {};
    clsSprite* balloon = plant_->GetHoverSprite();
    bool balloonHit = balloon && balloon->IsVisible() && SpriteHit(balloon, point, kRectangleOnly);
    if (balloonHit || SpriteHit(plant_->GetBody(), point, kOpaquePixels)) return {kHoverPlant, plant_->GetBody()};
    return {};
}

// An artifact on a slot (the highest slot first), else a place of the drawer, with or without a potion.
clsShopGame::Hover clsShopGame::HoverShelf(TPoint point) {
    for (int slot = shelf_->GetSlotCount() - 1; slot >= 0; --slot) {
        clsObjectRequired* item = shelf_->GetSlotItem(slot);
        if (item && SpriteRectContains(item->GetSprite(), point)) return {kHoverArtifact, item->GetSprite()};
    }
    int spot = 0;
    if (!shelf_->FindSpotAt(point, spot)) return {};
    clsObjectRequired* stored = shelf_->GetSpotItem(spot);
    if (stored && stored->GetSprite()) return {kHoverStoredPotion, stored->GetSprite()};
    return {kHoverEmptySpot, shelf_->GetSpotSprite(spot)};
}

clsShopGame::Hover clsShopGame::HoverBookPotion(TPoint point) {
    clsAnimatedSprite* potion = magicBook_->GetPotion().GetSprite();
    if (potion && potion->IsVisible() && SpriteHit(potion, point, kRectangleOnly)) return {kHoverBookPotion, potion};
    return {};
}
