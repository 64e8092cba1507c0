#include "tests/game/modes/collapse/collapse_fixture.h"

namespace {

using Picture = std::vector<std::string>;

struct ClickCase {
    const char* name;
    Picture before;
    int line, column;  // the clicked cell in the picture
    Picture after;     // '*' marks a piece on its way out
};

std::ostream& operator<<(std::ostream& out, const ClickCase& c) { return out << c.name; }

class CollapseClickTest : public CollapseTest, public testing::WithParamInterface<ClickCase> {};

const ClickCase kClickCases[] = {
    {"TwoOfAColourStay", {"..........", "gg.r......", ".........."}, 1, 0, {"..........", "gg.r......", ".........."}},
    {"ThreeInAnLGo", {"g.........", "gg.r......", ".........."}, 1, 1, {"*.........", "**.r......", ".........."}},
    {"OtherColoursStayOut", {"ggpgg.....", ".........."}, 0, 0, {"ggpgg.....", ".........."}},
    {"TwoPlainAndABombDoNotCount", {"ggB.......", ".........."}, 0, 0, {"ggB.......", ".........."}},
    {"ThreePlainTakeTheBombWithoutItGoingOff",
     {"rrrr......", "gggBr.....", "rrrr......"}, 1, 0, {"rrrr......", "****r.....", "rrrr......"}},
    {"ABlackBottleJoinsButDoesNotSpread", {"gggKg.....", ".........."}, 0, 1, {"****g.....", ".........."}},
    {"AColumnArrowOfTheColourJoinsButIsNotPlain", {"rr^.......", ".........."}, 0, 0, {"rr^.......", ".........."}},
    {"ARowArrowOfTheColourBecomesPlainAndCounts", {"rr<.......", ".........."}, 0, 0, {"***.......", ".........."}},
    {"TheIncomingRowDoesNotJoin", {"gg........", "g........."}, 0, 0, {"gg........", "g........."}},
    {"ARowArrowRecoloursBothWaysUpToAGap", {"gpy.g<ypgy", ".........."}, 0, 5, {"gpy.rrrrrr", ".........."}},
    {"AColumnArrowStopsAtAGapAndTheIncomingRow",
     {"g.........", "..........", "p.........", "^.........", "y........."}, 3, 0,
     {"g.........", "..........", "r.........", "r.........", "y........."}},
    {"ABombClearsFiveColumnsAndFourRows",
     {"gggggggggg", "gggggggggg", "gggggggggg", "ggggBggggg", "gggggggggg", "gggggggggg", "rrrrrrrrrr"}, 3, 4,
     {"gggggggggg", "gg*****ggg", "gg*****ggg", "gg*****ggg", "gg*****ggg", "gggggggggg", "rrrrrrrrrr"}},
    {"ABombAtTheEdgeClearsWhatLiesOnTheGrid",
     {"ppppp.....", "ppppp.....", "ppppp.....", "ppppp.....", "Bpppp.....", "yyyyy....."}, 4, 0,
     {"ppppp.....", "ppppp.....", "***pp.....", "***pp.....", "***pp.....", "yyyyy....."}},
};

TEST_P(CollapseClickTest, TheClickLeavesTheBoardAsDrawn) {
    const ClickCase& c = GetParam();
    Build(c.before);
    ASSERT_TRUE(At(c.line, c.column)->IsFree());
    moves->Click(At(c.line, c.column));
    EXPECT_EQ(Read(), c.after);
    // What stays is free again; what goes is not.
    for (int row = 0; row < CollapseBoard::kIncomingRow; ++row)
        for (int column = 0; column < CollapseBoard::kColumns; ++column)
            if (clsCollapseItem* piece = board->Get(row, column)) {
                EXPECT_EQ(piece->IsSelectable(), piece->GetState() < clsCollapseItem::kVanishing) << row << "," << column;
            }
    EXPECT_TRUE(moves->GetGroup().IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Clicks, CollapseClickTest, testing::ValuesIn(kClickCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CollapseTest, TheGroupListsItsMembersNewestFirst) {
    Build({"g.........", "ggg.......", ".........."});
    moves->CollectGroup(At(1, 0));
    std::vector<std::pair<int, int>> members;
    for (const clsCollapseItem* piece = moves->GetGroup().Front(); piece; piece = piece->next)
        members.push_back({piece->GetRow(), piece->GetColumn()});
    // From (13, 0): up (12, 0) then right (13, 1) are stacked; (13, 1) is taken first and spreads to (13, 2).
    EXPECT_EQ(members, (std::vector<std::pair<int, int>>{{12, 0}, {13, 2}, {13, 1}, {13, 0}}));
    EXPECT_TRUE(moves->GroupCounts());
}

TEST_F(CollapseTest, AnArrowCyclesItsColourEverySecondWhileSelectableAndPaintsInIt) {
    Build({"rrr<......", "g<........"});
    clsCollapseItem* arrow = At(0, 3);
    std::vector<int> colours;
    for (int second = 0; second < 4; ++second) {
        board->Update(0.5f);
        board->Update(0.5f);
        colours.push_back(arrow->GetColor());
    }
    EXPECT_EQ(colours, (std::vector<int>{kGreen, kPurple, kYellow, kRed}));
    EXPECT_EQ(At(1, 1)->GetColor(), kRed) << "an arrow in the incoming row waits";
    board->Update(1.0f);
    moves->Click(arrow);
    EXPECT_EQ(Read(), (Picture{"gggg......", "g<........"}));
}

TEST_F(CollapseTest, RemovedPiecesReachTheBottlesThenTheBoardFallsAndClosesItsColumns) {
    Build({"g..p......", "..r.......", "y.........", "rrr.......", "r..g......", "pppppppppp"});
    moves->Click(At(3, 0));
    EXPECT_EQ(moves->GetRemoving().Count(), 4);
    FinishRemoval();
    EXPECT_TRUE(moves->GetRemoving().IsEmpty());
    EXPECT_EQ(Read(), (Picture{"..........", "..........", "..........", "g.p.......", "yrg.......", "pppppppppp"}));
    EXPECT_EQ(board->Get(13, 2)->GetColumn(), 2) << "a moved piece knows its cell";
}

TEST_F(CollapseTest, PiecesStillVanishingStayInTheRemovingListUntilTheirFlashEnds) {
    AddAnimation("fx/collapse/pieces/green", 3);
    Build({"ggg.......", ".........."});
    std::vector<clsCollapseItem*> group = {At(0, 0), At(0, 1), At(0, 2)};
    moves->Click(group[0]);
    board->Update(0.0f);
    EXPECT_TRUE(moves->TakeArrived().empty());
    EXPECT_EQ(moves->GetRemoving().Count(), 3);
    EXPECT_EQ(group[1]->GetState(), clsCollapseItem::kVanishing);
    FinishAction(group[1]->GetFlash());
    board->Update(0.0f);
    EXPECT_EQ(moves->TakeArrived(), std::vector<clsCollapseItem*>{group[1]});
    EXPECT_EQ(moves->GetRemoving().Count(), 2);
    EXPECT_EQ(Read().front(), "*.*.......");
}

struct AppendCase {
    const char* row;
    int column;  // -1: refused
};

TEST_F(CollapseTest, AppendToRowGoesRightOfTheRightmostPieceAndRefusesATakenLastColumn) {
    const AppendCase cases[] = {
        {"..........", 0}, {"gggg......", 4}, {"g....g....", 6}, {"g........g", -1}, {"gggggggggg", -1}};
    for (const AppendCase& c : cases) {
        board->Clear();
        Build({c.row});
        auto* piece = new clsCollapseItem(scene.get(), kPlain, kRed);
        bool appended = board->AppendToRow(piece, CollapseBoard::kIncomingRow);
        EXPECT_EQ(appended, c.column >= 0) << c.row;
        if (appended) {
            EXPECT_EQ(board->Get(CollapseBoard::kIncomingRow, c.column), piece) << c.row;
        } else {
            delete piece;
        }
    }
    auto* piece = new clsCollapseItem(scene.get(), kPlain, kRed);
    EXPECT_FALSE(board->AppendToRow(piece, CollapseBoard::kRows)) << "below the grid";
    EXPECT_FALSE(board->AppendToRow(nullptr, 0));
    delete piece;
}

TEST_F(CollapseTest, ShiftUpMovesEveryRowUpOnlyWhileRowZeroIsEmpty) {
    Build({"g.........", "..........", "..........", "..........", "..........", "..........", "..........",
           "..........", "..........", "..........", "..........", "..........", "..........", "r.........",
           "pppppppppp"});
    board->ShiftUp();
    EXPECT_EQ(Read().front(), "g.........") << "row 0 is taken: nothing moves";
    EXPECT_EQ(Read().back(), "pppppppppp");
    board->Get(0, 0)->Destroy();
    board->Update(0.0f);
    board->ShiftUp();
    Picture after = Read();
    EXPECT_EQ(after[12], "r.........");
    EXPECT_EQ(after[13], "pppppppppp");
    EXPECT_EQ(after[14], "..........");
    EXPECT_EQ(board->Get(13, 4)->GetRow(), 13);
}

TEST_F(CollapseTest, TheBoardPlacesPiecesAtTheirCellCentresAndTakesClicksInsideItsRectangle) {
    AddPicture(clsCollapseItem::kSheet, 36, 36);
    auto* piece = new clsCollapseItem(scene.get(), kPlain, kGreen);
    ASSERT_TRUE(board->Set(piece, 2, 3, false));
    EXPECT_EQ(piece->GetPosition().x, 3 * 36 + 58 + 18);
    EXPECT_EQ(piece->GetPosition().y, 2 * 36 + 34 + 18);
    clsCollapseItem other(scene.get(), kPlain, kRed);
    EXPECT_FALSE(board->Set(&other, 2, 3, false)) << "taken";
    EXPECT_FALSE(board->Set(&other, 15, 0, true)) << "outside";
    struct Point { int x, y; bool inside; int row, column; };
    const Point points[] = {{58, 34, true, 0, 0}, {417, 573, true, 14, 9}, {418, 100, false, 0, 0},
                            {100, 574, false, 0, 0}, {57, 100, false, 0, 0}, {93, 70, true, 1, 0}};
    for (const Point& p : points) {
        int row = -1, column = -1;
        EXPECT_EQ(board->CellAt(p.x, p.y, row, column), p.inside) << p.x << "," << p.y;
        if (p.inside) {
            EXPECT_EQ(std::make_pair(row, column), std::make_pair(p.row, p.column)) << p.x << "," << p.y;
        }
    }
}

}  // namespace
