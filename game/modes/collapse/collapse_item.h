// clsItem: an animated item of the collapse screen, with the colour it stands for.
// clsCollapseItem: one piece of the collapse board: a coloured potion, a bomb, an arrow that recolours
// its row or column, or a black bottle. A removed piece vanishes in a puff and sends a trail of
// flakes to the bottle it fills.
#pragma once

#include <array>
#include <memory>

#include "game/shop/objects/scene_sprite.h"
#include "game/shop/particles/particle_fx.h"

enum CollapsePieceKind {
    kPlain = 0,        // an ordinary coloured piece
    kBomb = 1,         // clears the 5 x 4 cells around it
    kRowArrow = 2,     // recolours its row
    kColumnArrow = 3,  // recolours its column
    kBlackBottle = 4,  // joins any group, never fills a bottle
    kNoKind = 5,       // before the first SetKind; also "any kind" when counting
};

enum CollapseColor { kGreen = 0, kRed = 1, kPurple = 2, kYellow = 3, kNoColor = 4 };
constexpr int kCollapseColors = 4;

class clsItem : public clsAnimatedSprite {
public:
    explicit clsItem(iGameScene* owner) : clsAnimatedSprite(owner) {}
    int GetColor() const { return color_; }

protected:
    void SetColor(int color) { color_ = color; }

private:
    int color_ = kNoColor;
};

class clsCollapseItem : public clsItem, public iParticleFx {
public:
    enum State {
        kOnBoard = 0,   // constructed
        kKindSet = 1,   // on the board after a later SetKind
        kVanishing = 2,
        kFinished = 3,  // the board deletes it
    };
    static constexpr int kTypeCode = 1;
    static constexpr char kSheet[] = "anim/collapse/collapsepieces";
    static constexpr char kArrowSheet[] = "anim/collapse/item_arrows";
    static constexpr char kTrailEffect[] = "assets/fx/collapse/snowflake.txt";
    static constexpr float kArrowCycleSeconds = 1.0f;

    clsCollapseItem(iGameScene* owner, int kind, int color, float x = 0.0f, float y = 0.0f);
    ~clsCollapseItem() override;

    // Nothing when both are the current ones. Arrows turn red; a plain piece takes the colour.
    void SetKind(int kind, int color);
    // Green, purple, yellow, red, green again.
    void CycleColor();
    // Puffs away; the trail flies to the target unless it is (0, 0).
    void Vanish(const TVec2& target);

    // The sprite, the arrow colour cycling, the arrows, the flash and the trail (dt in seconds).
    void Update(float dt) override;
    // The piece, its arrows, its flash, then its trail.
    void Draw() override;
    void OnFxEnd(clsParticleFx* effect) override;

    int GetKind() const { return kind_; }
    int GetState() const { return state_; }
    int GetRow() const { return row_; }
    int GetColumn() const { return column_; }
    void SetCell(int row, int column) { row_ = row; column_ = column; }
    bool IsSelectable() const { return selectable_; }
    void SetSelectable(bool selectable) { selectable_ = selectable; }
    // A piece that may still be clicked or joined: selectable and not queued for deletion.
    bool IsFree() const { return selectable_ && !IsReleased(); }
    const TString& GetAnimationName() const { return animationName_; }
    bool HasArrows() const { return arrows_[0] != nullptr; }
    clsAnimatedSprite& GetFlash() { return *flash_; }
    clsParticleFx& GetTrail() { return *trail_; }

    // The link of the one piece list the piece is in.
    clsCollapseItem* next = nullptr;

private:
    bool IsArrow() const { return kind_ == kRowArrow || kind_ == kColumnArrow; }
    void BuildArrows(const char* action, const TVec2& first, const TVec2& second, bool flipH, bool flipV);
    void RemoveArrows();
    void ShowColor();

    int kind_ = kNoKind;
    int row_ = -1;
    int column_ = -1;
    bool selectable_ = true;
    int state_ = kOnBoard;
    float arrowSeconds_ = 0.0f;
    TString animationName_;
    std::array<std::unique_ptr<clsAnimatedSprite>, 2> arrows_;
    std::unique_ptr<clsAnimatedSprite> flash_;
    std::unique_ptr<clsParticleFx> trail_;
};
