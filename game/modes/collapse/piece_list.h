// CollapsePieceList: a singly linked list of board pieces through their own links (a piece is in at
// most one list at a time): a clicked group, the flood fill's work stack, the pieces flying to the
// bottles.
#pragma once

class clsCollapseItem;

class CollapsePieceList {
public:
    CollapsePieceList() = default;
    CollapsePieceList(const CollapsePieceList&) = delete;
    CollapsePieceList& operator=(const CollapsePieceList&) = delete;

    // At the front.
    void Push(clsCollapseItem* piece);
    // The front piece, its link cleared; null when empty.
    clsCollapseItem* Pop();
    // Takes every piece off and destroys it (into its scene's release queue).
    void Empty();
    // Takes every piece off and makes it selectable again (a group that does not count).
    void Release();

    clsCollapseItem* Front() const { return head_; }
    int Count() const { return count_; }
    bool IsEmpty() const { return head_ == nullptr; }

private:
    clsCollapseItem* head_ = nullptr;
    int count_ = 0;
};
