#include "game/modes/collapse/collapse_moves.h"

#include "game/modes/collapse/bottle_panel.h"
#include "game/modes/collapse/collapse_board.h"
#include "game/modes/collapse/collapse_item.h"
#include "game/shop/objects/game_scene.h"

namespace {

// The neighbours a group spreads to, in the order they are tried: up, left, down, right.
constexpr int kNeighbourSteps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};

// The bomb's area around its cell: two columns to each side, two rows above and one below.
constexpr int kBombLeft = -2, kBombRight = 2, kBombTop = -2, kBombBottom = 1;

bool JoinsAnyGroup(const clsCollapseItem& piece) {
    return piece.GetKind() == kBomb || piece.GetKind() == kBlackBottle;
}

}  // namespace

CollapseMoves::CollapseMoves(CollapseBoard& board, const CollapseBottlePanel& bottles, iGameScene* scene)
    : board_(board), bottles_(bottles), scene_(scene) {}

CollapseMoves::~CollapseMoves() {
    group_.Empty();
    removing_.Empty();
}

void CollapseMoves::Click(clsCollapseItem* piece) {
    switch (piece->GetKind()) {
        case kPlain:
            ClickPlain(piece);
            break;
        case kBomb:
            ClickBomb(piece);
            break;
        case kRowArrow:
            ClickArrow(piece, 0, 1);
            break;
        case kColumnArrow:
            ClickArrow(piece, 1, 0);
            break;
        default:
            break;
    }
}

void CollapseMoves::ClickPlain(clsCollapseItem* piece) {
    CollectGroup(piece);
    if (!GroupCounts()) {
        group_.Release();
        return;
    }
    PlaySound(kPointsSound);
    while (clsCollapseItem* member = group_.Pop()) Remove(member);
}

void CollapseMoves::CollectGroup(clsCollapseItem* clicked) {
    group_.Empty();
    CollapsePieceList stack;
    const int color = clicked->GetColor();
    clicked->SetSelectable(false);
    stack.Push(clicked);
    while (clsCollapseItem* piece = stack.Pop()) {
        group_.Push(piece);
        if (JoinsAnyGroup(*piece)) continue;
        for (const auto& step : kNeighbourSteps) {
            clsCollapseItem* neighbour = board_.Get(piece->GetRow() + step[0], piece->GetColumn() + step[1]);
            if (!neighbour || !neighbour->IsFree()) continue;
            if (neighbour->GetColor() != color && !JoinsAnyGroup(*neighbour)) continue;
            if (neighbour->GetKind() == kRowArrow) neighbour->SetKind(kPlain, color);
            neighbour->SetSelectable(false);
            stack.Push(neighbour);
        }
    }
}

bool CollapseMoves::GroupCounts() const {
    int plain = 0;
    for (const clsCollapseItem* piece = group_.Front(); piece; piece = piece->next)
        if (piece->GetKind() == kPlain) ++plain;
    return group_.Count() >= kGroupMinimum && plain >= kGroupMinimum;
}

void CollapseMoves::ClickArrow(clsCollapseItem* arrow, int rowStep, int columnStep) {
    Recolor(arrow, -rowStep, -columnStep);
    Recolor(arrow, rowStep, columnStep);
    arrow->SetKind(kPlain, arrow->GetColor());
}

void CollapseMoves::Recolor(const clsCollapseItem* arrow, int rowStep, int columnStep) {
    int row = arrow->GetRow() + rowStep;
    int column = arrow->GetColumn() + columnStep;
    for (clsCollapseItem* piece; (piece = board_.Get(row, column)) && piece->IsFree();
         row += rowStep, column += columnStep)
        piece->SetKind(kPlain, arrow->GetColor());
}

void CollapseMoves::ClickBomb(clsCollapseItem* bomb) {
    PlaySound(kBombSound);
    const int row = bomb->GetRow();
    const int column = bomb->GetColumn();
    for (int r = row + kBombTop; r <= row + kBombBottom; ++r)
        for (int c = column + kBombLeft; c <= column + kBombRight; ++c) {
            clsCollapseItem* piece = board_.Get(r, c);
            if (!piece || !piece->IsFree()) continue;
            piece->SetSelectable(false);
            Remove(piece);
        }
}

void CollapseMoves::Remove(clsCollapseItem* piece) {
    piece->Vanish(bottles_.BottlePosition(piece->GetColor()));
    removing_.Push(piece);
}

std::vector<clsCollapseItem*> CollapseMoves::TakeArrived() {
    std::vector<clsCollapseItem*> arrived;
    std::vector<clsCollapseItem*> flying;
    while (clsCollapseItem* piece = removing_.Pop()) (piece->IsReleased() ? arrived : flying).push_back(piece);
    for (auto piece = flying.rbegin(); piece != flying.rend(); ++piece) removing_.Push(*piece);
    return arrived;
}

void CollapseMoves::PlaySound(const char* name) {
    if (scene_) scene_->GetAssets().PlaySound(name, false);
}
