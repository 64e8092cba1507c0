// CollapseMoves: what a click on a collapse piece does. A plain piece gathers its group of the same
// colour (bombs and black bottles join any group); a group of at least three with at least three
// plain pieces flies to the bottles, a smaller one is let go. An arrow recolours its row or column,
// a bomb blows up the 5 x 4 cells around it, a black bottle does nothing. The pieces on their way
// to the bottles wait in the removing list until the board has let them go.
#pragma once

#include <vector>

#include "game/modes/collapse/piece_list.h"

class CollapseBoard;
class CollapseBottlePanel;
class clsCollapseItem;
class iGameScene;

class CollapseMoves {
public:
    static constexpr int kGroupMinimum = 3;
    static constexpr char kPointsSound[] = "audio/sfx/collapse-points";
    static constexpr char kBombSound[] = "audio/sfx/collapse-bomb";

    CollapseMoves(CollapseBoard& board, const CollapseBottlePanel& bottles, iGameScene* scene);
    // The pieces still in a list go to the release queue.
    ~CollapseMoves();

    // The piece must be free (selectable, not released).
    void Click(clsCollapseItem* piece);

    // The plain piece's group, newest member first, into the group list.
    void CollectGroup(clsCollapseItem* clicked);
    // At least three members, at least three of them plain.
    bool GroupCounts() const;
    // Takes the pieces the board has let go off the removing list, in their order.
    std::vector<clsCollapseItem*> TakeArrived();

    const CollapsePieceList& GetGroup() const { return group_; }
    const CollapsePieceList& GetRemoving() const { return removing_; }

private:
    void ClickPlain(clsCollapseItem* piece);
    // Recolours the free pieces from the arrow outwards in both directions, then the arrow.
    void ClickArrow(clsCollapseItem* arrow, int rowStep, int columnStep);
    void ClickBomb(clsCollapseItem* bomb);
    void Recolor(const clsCollapseItem* arrow, int rowStep, int columnStep);
    // Vanishes toward its colour's bottle and joins the removing list.
    void Remove(clsCollapseItem* piece);
    void PlaySound(const char* name);

    CollapseBoard& board_;
    const CollapseBottlePanel& bottles_;
    iGameScene* scene_;
    CollapsePieceList group_;
    CollapsePieceList removing_;
};
