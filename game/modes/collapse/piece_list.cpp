#include "game/modes/collapse/piece_list.h"

#include "game/modes/collapse/collapse_item.h"

void CollapsePieceList::Push(clsCollapseItem* piece) {
    piece->next = head_;
    head_ = piece;
    ++count_;
}

clsCollapseItem* CollapsePieceList::Pop() {
    clsCollapseItem* piece = head_;
    if (!piece) return nullptr;
    head_ = piece->next;
    piece->next = nullptr;
    --count_;
    return piece;
}

void CollapsePieceList::Empty() {
    while (clsCollapseItem* piece = Pop()) piece->Destroy();
}

void CollapsePieceList::Release() {
    while (clsCollapseItem* piece = Pop()) piece->SetSelectable(true);
}
