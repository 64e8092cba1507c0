// CollapseBottlePanel: the bottles beside the collapse board, one for each of the first four charms
// of the level. A removed plain piece fills the shown bottle of its colour and earns a point; the
// panel reports the bottles that are full.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/maths.h"
#include "game/modes/collapse/bottle_item.h"

class clsGameInterface;
struct CharmRecord;
struct CollapseLevelRecord;

class CollapseBottlePanel {
public:
    static constexpr int kMaxBottles = 4;

    explicit CollapseBottlePanel(clsGameInterface* owner) : owner_(owner) {}

    // A bottle for each of the level's first four charm names found among the charms: bottle i has
    // colour i and the quota quotaRequired x fee. Then Arrange.
    void SetUp(const CollapseLevelRecord& level, const std::vector<CharmRecord>& charms);
    // The created bottles are shown, the last one first, at the places for their number.
    void Arrange();

    // The last shown bottle of that colour that is not full; -1 when none.
    int FindBottle(int color) const;
    // Where the last shown bottle of that colour stands, full or not; (0, 0) when none.
    TVec2 BottlePosition(int color) const;
    // A plain piece has reached the bottles: it fills its colour's bottle and earns a point.
    void OnPieceArrived(const clsCollapseItem& piece);

    // Updates the shown bottles; after a piece came in, answers the full ones (last shown first).
    std::vector<const clsBottleItem*> Update(float dt);
    void Draw();

    const std::vector<std::unique_ptr<clsBottleItem>>& GetShown() const { return shown_; }
    int GetBottleCount() const { return bottleCount_; }
    int GetQuotaSum() const { return quotaSum_; }

private:
    clsGameInterface* owner_;
    std::vector<std::unique_ptr<clsBottleItem>> created_;
    std::vector<std::unique_ptr<clsBottleItem>> shown_;
    std::vector<std::unique_ptr<clsBottleItem>> retired_;
    int bottleCount_ = 0;
    int quotaSum_ = 0;
    bool checkFull_ = false;
};
