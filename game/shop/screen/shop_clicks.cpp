// A left click gives the heroine an errand: the object under the cursor decides what she does there,
// a click on the floor sends her to that cell; the clicked object wears a check mark until she gets
// there. The recipe book takes its clicks first: its potion opens it, and while it is open a click on
// an idle cauldron's mouth sends the chosen recipe there.
#include <memory>

#include "game/shop/cauldron/cauldron.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/scene/cell_grid.h"
#include "game/shop/scene/game_random.h"
#include "game/shop/screen/shop_game.h"

namespace {

constexpr char kCheckMarkTexture[] = "anim/anim_check";
// A mark lands up to 8 pixels off its place either way.
constexpr uint32_t kMarkJitterRange = 17;
constexpr float kMarkJitterMax = 8.0f;

float MarkJitter() { return static_cast<float>(GameRandom() % kMarkJitterRange) - kMarkJitterMax; }

}  // namespace

int OrderKindForHover(int hoverKind) {
    for (int kind = clsPlayerOrder::kServeCustomer; kind < clsPlayerOrder::kNoAction; ++kind)
        if (kOrderKinds[kind].hoverKind == hoverKind) return kind;
    return clsPlayerOrder::kNoAction;
}

int MarkKindOf(int orderKind) {
    if (orderKind < 0 || orderKind >= clsPlayerOrder::kNoAction) return kHoverNothing;
    return kOrderKinds[orderKind].hoverKind;
}

bool clsShopGame::OnMouseDown(TPoint point) {
    if (state_ == kFinishing || state_ == kResultShown) return false;
    if (hoverObject_) {
        QueueHoverOrder();
        return true;
    }
    auto order = std::make_unique<clsPlayerOrder>();
    if (OrderWalk(point, *order)) orders_.push_back(std::move(order));
    return true;
}

bool clsShopGame::QueueHoverOrder() {
    auto order = std::make_unique<clsPlayerOrder>();
    if (!OrderObject(*order)) return false;
    orders_.push_back(std::move(order));
    return true;
}

// False when the click makes no errand.
bool clsShopGame::OrderObject(clsPlayerOrder& order) {
    if (!BookTakesClick()) return false;
    order.kind = OrderKindForHover(hoverKind_);
    if (order.kind == clsPlayerOrder::kNoAction) return false;
    if (order.kind == clsPlayerOrder::kUseArtifact && !FindArtifactOf(hoverObject_)) return false;
    order.target = hoverObject_;
    const OrderKindRecord& record = kOrderKinds[order.kind];
    AddCheckMark(record.hoverKind, order.target, record.markOffset.x, record.markOffset.y);
    return true;
}

// The book's potion opens the book; an open book sends its recipe to an idle cauldron's mouth and
// closes on any other click, which then goes on (false when the click is spent on the book).
bool clsShopGame::BookTakesClick() {
    clsAnimatedSprite* bookPotion = magicBook_->GetPotion().GetSprite();
    if (hoverObject_ == bookPotion && bookPotion->IsVisible()) {
        magicBook_->SetOpen(true);
        return false;
    }
    if (magicBook_->GetStarsState() != clsMagicBookPaper::kStarsShown) return true;
    if (hoverKind_ == kHoverCauldronMouth) {
        clsCauldron* cauldron = FindCauldronOf(hoverObject_);
        if (cauldron && cauldron->GetState() == clsCauldron::kIdle) {
            ResetBookTab(hoverObject_);
        } else {
            magicBook_->SetOpen(false);
        }
        return false;
    }
    magicBook_->SetOpen(false);
    return true;
}

// A click on the floor walks her to the cell under it, when that cell is there and open.
bool clsShopGame::OrderWalk(TPoint point, clsPlayerOrder& order) {
    const TRect& bounds = grid_->GetBounds();
    if (point.x < bounds.left || point.x >= bounds.right || point.y < bounds.top || point.y >= bounds.bottom)
        return false;
    int row = (point.y - bounds.top) / grid_->GetCellHeight();
    int column = (point.x - bounds.left) / grid_->GetCellWidth();
    clsGridCell* cell = grid_->GetCell(row, column);
    if (!cell || cell->disabled) return false;
    order.kind = clsPlayerOrder::kWalk;
    order.position = cell->GetScreenPoint();
    return true;
}

void clsShopGame::AddCheckMark(int kind, clsBasicObject* target, float dx, float dy) {
    auto* marked = dynamic_cast<clsObjectGraph*>(target);
    if (!marked || marked->IsReleased()) return;
    marked->AddMark();
    auto* mark = new clsAnimatedSprite(this);
    mark->SetTexture(mark->GetSceneTexture(kCheckMarkTexture));
    float jitterX = MarkJitter();
    float jitterY = MarkJitter();
    mark->AttachTo(marked, dx + jitterX, dy + jitterY);
    mark->Play("DoAnim");
    checkMarks_.push_back({mark, kind, target});
}
