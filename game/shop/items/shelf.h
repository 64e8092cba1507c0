// clsShelf: the shop's wall shelf. A grid of slots holds the level's artifacts; three places in its
// drawer store potions from level to level, as many of them open as the drawer upgrade allows (the
// others stay covered).
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/maths.h"
#include "game/shop/items/object_required.h"

class clsArtifact;
class iGameAssets;

class clsShelf : public clsBasicObject {
public:
    static constexpr int kSpots = 3;

    clsShelf(iGameScene* owner, int x, int y, int width, int height);
    // Deletes the slots' items and hands the places' items to the scene's deletion.
    ~clsShelf() override;

    // Slot items, then each place's anchor, item and cover; the last first.
    void Update(float dt) override;
    // Slot items, then each place's item and cover; the last first.
    void Draw() override;

    // Lays out rows × columns slots of cellWidth × cellHeight from the shelf's corner plus the
    // offset, gapY and gapX pixels apart.
    void BuildSlots(int offsetX, int offsetY, int rows, int columns, int cellWidth, int cellHeight, int gapY, int gapX);
    // Puts the item (then the shelf's) on the first free slot, its sprite at the slot's corner;
    // false for a null item or a full grid.
    bool PutInFreeSlot(clsObjectRequired* item, int tag);
    clsObjectRequired* GetSlotItem(int index) const;
    // The artifact with that id on the slots, the last slot first; null when none.
    clsArtifact* FindSlotByItemId(int artifactId) const;
    int GetSlotCount() const { return static_cast<int>(slots_.size()); }
    TRect GetSlotRect(int index) const;

    // Opens the first count places, once per shelf; later calls change nothing.
    void SetSpotCount(int count);
    // The enabled place holding the point (half-open), the last first.
    bool FindSpotAt(TPoint point, int& index) const;
    clsObjectRequired* GetSpotItem(int index) const;
    // The invisible sprite at a place's centre, where its item stands.
    clsSprite* GetSpotSprite(int index) const;
    int FindSpotBySprite(const clsObjectGraph* sprite) const;
    int FindSpotByItem(const clsBasicObject* item) const;
    TRect GetSpotRect(int index) const;
    bool IsSpotEnabled(int index) const;
    clsSprite* GetSpotCover(int index) const;
    // Puts the item (not the shelf's: the place only holds it) on an enabled, empty place.
    void PlaceItem(clsObjectRequired* item, int index);
    // Destroys the item and empties its place; false when no place holds it.
    bool RemoveItem(clsObjectRequired* item);
    // Empties the place and hands its item to the caller (the heroine takes it); null when empty.
    clsObjectRequired* TakeSpotItem(int index);
    // No item on the place, whether it is open or not.
    bool IsSpotEmpty(int index) const;

    const TRect& GetBounds() const { return bounds_; }

private:
    struct Slot {
        TRect rect;
        std::unique_ptr<clsObjectRequired> item;
        int tag = 1;
    };
    struct Spot {
        TRect rect;
        bool enabled = false;
        clsObjectRequired* item = nullptr;
        std::unique_ptr<clsSprite> anchor;
        std::unique_ptr<clsSprite> cover;
    };

    bool IsSpot(int index) const { return index >= 0 && index < static_cast<int>(spots_.size()); }

    TRect bounds_;
    int x_;
    int y_;
    int spotCount_ = -1;
    std::vector<Slot> slots_;
    std::vector<Spot> spots_;
};

// The drawer's cover.
void PreloadShelfAnims(iGameAssets& assets);
