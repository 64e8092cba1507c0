// clsBottleItem: a potion bottle beside the collapse board that fills with the removed pieces of its
// colour. It counts down from its quota, shows the count left, steps its potion picture on as it
// fills, flashes at each piece and shows "full" at 0. It remembers the charm it was made for.
#pragma once

#include <memory>

#include "game/modes/collapse/collapse_item.h"

class TTextSprite;

class clsBottleItem : public clsItem {
public:
    static constexpr int kTypeCode = 2;
    static constexpr char kFullTexture[] = "anim/full";
    static constexpr char kCompleteSound[] = "audio/sfx/collapse-potcomplete";

    // The potion picture of the colour at frame 0; the text shows the quota.
    clsBottleItem(iGameScene* owner, int color, int quota, int charmIndex);
    ~clsBottleItem() override;

    // One piece in: nothing once full.
    void AddPiece();

    // The potion, "full" and the flash.
    void Update(float dt) override;
    // Then the count.
    void Draw() override;
    // The count moves with the potion.
    void SetPosition(float x, float y) override;
    void SetPositionV(const TVec2& position) override { SetPosition(position.x, position.y); }

    int GetQuota() const { return quota_; }
    int GetRemaining() const { return remaining_; }
    int GetPiecesPerFrame() const { return piecesPerFrame_; }
    int GetCharmIndex() const { return charmIndex_; }
    TString GetCountText() const;
    bool IsFullShown() const { return full_->IsVisible(); }
    clsAnimatedSprite& GetFlash() { return *flash_; }

private:
    int quota_;
    int remaining_;
    int piecesPerFrame_;
    int pieceCounter_ = 0;
    int charmIndex_;
    std::unique_ptr<clsAnimatedSprite> full_;
    std::unique_ptr<clsAnimatedSprite> flash_;
    std::shared_ptr<TTextSprite> count_;
};
