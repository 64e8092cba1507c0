// clsAddon: one shop upgrade on offer in the bazaar. It shows the upgrade's picture in a display
// state, and knows the level it offers, that level's cost and the texts that describe it. Buying is
// the bazaar's business: the add-on changes no saved data.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "game/shop/objects/basic_object.h"

class clsSprite;
class iGameAssets;

class clsAddon : public clsBasicObject {
public:
    // The kind is also the position of its record in the game data's add-on table.
    enum Kind { kCauldron = 0, kShoes = 1, kPhoenix = 2, kHarp = 3, kDrawer = 4 };
    enum State { kNoState = 0, kNormal = 1, kOver = 2, kSelected = 3, kSold = 4, kDisabled = 5 };

    // Offers level (at most the kind's level count) in the normal state.
    clsAddon(iGameScene* owner, int kind, int level);
    ~clsAddon() override;

    void Update(float dt) override;
    void Draw() override;

    // A level outside 1..level count is taken as level 0 and shown and priced as level 1.
    void SetLevel(int level);
    // The picture of the state; the same state again loads nothing unless forced.
    void SetState(int state, bool force);
    // Offers the level delta further on; false (nothing changes) past the last level.
    bool Upgrade(int delta);

    void SetPosition(const TVec2& position);
    // The picture's rectangle on the screen.
    const TRect& GetWorldRect() const;
    void SetVisible(bool visible);
    clsSprite* GetSprite() const { return sprite_.get(); }

    int GetKind() const { return kind_; }
    int GetLevel() const { return level_; }
    int GetCost() const { return cost_; }
    int GetState() const { return state_; }
    const TString& GetName() const { return name_; }
    const TString& GetDescription() const { return description_; }
    bool IsSelectable() const { return selectable_; }
    void SetSelectable(bool selectable) { selectable_ = selectable; }

    // The kind's level count: the length of its cost list in the game data.
    static int LevelCount(int kind);
    // The picture name for a kind, level and state; empty outside the tables.
    static TString PictureName(int kind, int level, int state);

private:
    int cost_ = 0;
    TString name_;
    TString description_;
    int state_ = kNoState;
    int level_ = 0;
    int kind_;
    std::unique_ptr<clsSprite> sprite_;
    bool selectable_ = true;
};

// Adds every add-on picture the bazaar shows to the game's preload list.
void PreloadAddonAnims(iGameAssets& assets);
