#include "game/shop/items/shelf.h"

#include <algorithm>

#include "game/shop/items/artifact.h"
#include "game/shop/objects/game_scene.h"

namespace {

constexpr char kCoverTexture[] = "anim/drawer_01";
// Top-left corners of the drawer's places from the shelf's corner, and where their covers stand.
constexpr int kSpotWidth = 40;
constexpr int kSpotHeight = 30;
const TPoint kSpotCorners[clsShelf::kSpots] = {{10, 70}, {10, 115}, {10, 165}};
const TVec2 kCoverPositions[clsShelf::kSpots] = {{208.0f, 97.0f}, {208.0f, 142.0f}, {208.5f, 190.8f}};

}  // namespace

clsShelf::clsShelf(iGameScene* owner, int x, int y, int width, int height)
    : clsBasicObject(owner), bounds_(x, y, x + width, y + height), x_(x), y_(y) {
    spots_.resize(kSpots);
    for (int i = 0; i < kSpots; ++i) {
        Spot& spot = spots_[i];
        int left = x + kSpotCorners[i].x, top = y + kSpotCorners[i].y;
        spot.rect = TRect(left, top, left + kSpotWidth, top + kSpotHeight);
        spot.anchor = std::make_unique<clsSprite>(owner);
        spot.anchor->SetPosition(static_cast<float>(spot.rect.Width()) * 0.5f + static_cast<float>(left),
                                 static_cast<float>(spot.rect.Height()) * 0.5f + static_cast<float>(top));
        spot.anchor->SetVisible(false);
        spot.cover = std::make_unique<clsSprite>(owner);
        spot.cover->SetTexture(GetSceneTexture(kCoverTexture));
        spot.cover->SetPositionV(kCoverPositions[i]);
    }
}

clsShelf::~clsShelf() {
    slots_.clear();
    for (Spot& spot : spots_)
        if (spot.item) spot.item->Destroy();
}

void clsShelf::BuildSlots(int offsetX, int offsetY, int rows, int columns, int cellWidth, int cellHeight, int gapY,
                          int gapX) {
    slots_.clear();
    slots_.resize(static_cast<size_t>(std::max(rows * columns, 0)));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            int left = x_ + offsetX + c * (cellWidth + gapX);
            int top = y_ + offsetY + r * (cellHeight + gapY);
            slots_[r * columns + c].rect = TRect(left, top, left + cellWidth, top + cellHeight);
        }
    }
}

bool clsShelf::PutInFreeSlot(clsObjectRequired* item, int tag) {
    if (!item) return false;
    for (Slot& slot : slots_) {
        if (slot.item) continue;
        slot.item.reset(item);
        slot.tag = tag;
        if (item->GetSprite())
            item->GetSprite()->SetPosition(static_cast<float>(slot.rect.left), static_cast<float>(slot.rect.top));
        return true;
    }
    return false;
}

clsObjectRequired* clsShelf::GetSlotItem(int index) const {
    return index >= 0 && index < GetSlotCount() ? slots_[index].item.get() : nullptr;
}

TRect clsShelf::GetSlotRect(int index) const {
    return index >= 0 && index < GetSlotCount() ? slots_[index].rect : TRect();
}

clsArtifact* clsShelf::FindSlotByItemId(int artifactId) const {
    for (auto slot = slots_.rbegin(); slot != slots_.rend(); ++slot) {
        clsArtifact* artifact = slot->item ? slot->item->AsArtifact() : nullptr;
        if (artifact && artifact->GetArtifactId() == artifactId) return artifact;
    }
    return nullptr;
}

void clsShelf::SetSpotCount(int count) {
    if (spotCount_ != -1) return;
    spotCount_ = count;
    for (int i = 0; i < count && i < kSpots; ++i) {
        spots_[i].enabled = true;
        spots_[i].cover->SetVisible(false);
    }
}

bool clsShelf::FindSpotAt(TPoint point, int& index) const {
    for (int i = kSpots - 1; i >= 0; --i) {
        if (spots_[i].enabled && spots_[i].rect.Contains(point.x, point.y)) {
            index = i;
            return true;
        }
    }
    return false;
}

clsObjectRequired* clsShelf::GetSpotItem(int index) const {
    return IsSpot(index) ? spots_[index].item : nullptr;
}

clsSprite* clsShelf::GetSpotSprite(int index) const {
    return IsSpot(index) ? spots_[index].anchor.get() : nullptr;
}

clsSprite* clsShelf::GetSpotCover(int index) const {
    return IsSpot(index) ? spots_[index].cover.get() : nullptr;
}

TRect clsShelf::GetSpotRect(int index) const {
    return IsSpot(index) ? spots_[index].rect : TRect();
}

bool clsShelf::IsSpotEnabled(int index) const {
    return IsSpot(index) && spots_[index].enabled;
}

int clsShelf::FindSpotBySprite(const clsObjectGraph* sprite) const {
    for (int i = kSpots - 1; i >= 0; --i)
        if (spots_[i].anchor.get() == sprite) return i;
    return -1;
}

int clsShelf::FindSpotByItem(const clsBasicObject* item) const {
    for (int i = kSpots - 1; i >= 0; --i)
        if (item && spots_[i].item == item) return i;
    return -1;
}

void clsShelf::PlaceItem(clsObjectRequired* item, int index) {
    if (!item || !IsSpot(index) || !spots_[index].enabled || spots_[index].item) return;
    if (item->GetSprite()) item->GetSprite()->SetPositionV(spots_[index].anchor->GetPosition());
    spots_[index].item = item;
}

bool clsShelf::RemoveItem(clsObjectRequired* item) {
    int index = FindSpotByItem(item);
    if (index < 0) return false;
    item->Destroy();
    spots_[index].item = nullptr;
    return true;
}

clsObjectRequired* clsShelf::TakeSpotItem(int index) {
    if (!IsSpot(index)) return nullptr;
    clsObjectRequired* item = spots_[index].item;
    spots_[index].item = nullptr;
    return item;
}

bool clsShelf::IsSpotEmpty(int index) const {
    return IsSpot(index) && !spots_[index].item;
}

void clsShelf::Update(float dt) {
    for (auto slot = slots_.rbegin(); slot != slots_.rend(); ++slot)
        if (slot->item) slot->item->Update(dt);
    for (auto spot = spots_.rbegin(); spot != spots_.rend(); ++spot) {
        spot->anchor->Update(dt);
        if (spot->item) spot->item->Update(dt);
        spot->cover->Update(dt);
    }
}

void clsShelf::Draw() {
    for (auto slot = slots_.rbegin(); slot != slots_.rend(); ++slot)
        if (slot->item) slot->item->Draw();
    for (auto spot = spots_.rbegin(); spot != spots_.rend(); ++spot) {
        if (spot->item) spot->item->Draw();
        spot->cover->Draw();
    }
}

void PreloadShelfAnims(iGameAssets& assets) {
    assets.AddPreloadAnim(kCoverTexture);
}
