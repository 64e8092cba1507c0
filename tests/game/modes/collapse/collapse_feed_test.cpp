#include "game/data/game_tables.h"
#include "game/modes/collapse/collapse_feeder.h"
#include "game/modes/collapse/collapse_game.h"
#include "tests/game/modes/collapse/collapse_fixture.h"

namespace {

using Picture = std::vector<std::string>;

const std::string kEmpty = "..........";
const std::string kFull = "gggggggggg";

// Fifteen rows: row 0 as given, the rows between empty, the incoming row as given.
Picture WholeBoard(const std::string& top, const std::string& incoming) {
    Picture picture(CollapseBoard::kRows, kEmpty);
    picture.front() = top;
    picture.back() = incoming;
    return picture;
}

class CollapseFeedTest : public CollapseTest {
protected:
    CollapseLevelRecord Level(int colors, int bombs = 0, int rowArrows = 0, int black = 0) {
        CollapseLevelRecord level;
        level.colors = colors;
        level.maxBombs = bombs;
        level.maxWildBox = rowArrows;
        level.itemBlack = black;
        return level;
    }
};

TEST_F(CollapseFeedTest, TheColoursInPlayAreRedFirstAndAtLeastOneAtMostFour) {
    const std::pair<int, std::vector<int>> cases[] = {{-2, {kRed}}, {0, {kRed}}, {1, {kRed}}, {2, {kRed, kGreen}},
                                                      {3, {kRed, kGreen, kPurple}},
                                                      {4, {kRed, kGreen, kPurple, kYellow}},
                                                      {9, {kRed, kGreen, kPurple, kYellow}}};
    for (const auto& [colors, expected] : cases)
        EXPECT_EQ(CollapseFeeder(Level(colors), scene.get()).GetColors(), expected) << colors;
}

TEST_F(CollapseFeedTest, TheFillPutsSixRowsOfPlainPiecesFromTheBottomUp) {
    CollapseFeeder feeder(Level(4), scene.get());
    random.scripted = {0, 1, 2, 3};  // red, green, purple, yellow for row 13's first four columns
    feeder.Fill(*board);
    for (int row = 0; row < CollapseBoard::kRows; ++row)
        EXPECT_EQ(board->CountInRow(row), row >= 8 && row <= 13 ? 10 : 0) << row;
    EXPECT_EQ(ReadBoard(*board, 2)[0].substr(0, 4), "rgpy");
    EXPECT_TRUE(board->Get(8, 9)->IsFree());
    EXPECT_EQ(board->Get(8, 9)->GetKind(), kPlain);
}

struct SpecialCase {
    int bombs, rowArrows, black;
    std::vector<uint32_t> draws;
    int kind;
    int drawsTaken;
};

TEST_F(CollapseFeedTest, EachSpecialChanceReachedDrawsItsOwnNumber) {
    const SpecialCase cases[] = {
        {1, 1, 1, {104, 0}, kBomb, 1},          // 104 % 100 < 5
        {1, 1, 1, {5, 3}, kRowArrow, 2},
        {1, 1, 1, {5, 5, 4}, kBlackBottle, 3},
        {1, 1, 1, {5, 5, 5}, kPlain, 3},
        {0, 1, 1, {4, 0}, kRowArrow, 1},         // no bomb left: its chance is not drawn
        {0, -1, 0, {4}, kRowArrow, 1},           // a negative allowance never runs out
        {0, 0, 0, {0}, kPlain, 0},
    };
    for (const SpecialCase& c : cases) {
        CollapseFeeder feeder(Level(1, c.bombs, c.rowArrows, c.black), scene.get());
        random.scripted.assign(c.draws.begin(), c.draws.end());
        EXPECT_EQ(feeder.RandomSpecial(), c.kind);
        EXPECT_EQ(c.draws.size() - random.scripted.size(), static_cast<size_t>(c.drawsTaken));
    }
    CollapseFeeder feeder(Level(1, 1, 0, 0), scene.get());
    random.scripted = {0, 0};
    EXPECT_EQ(feeder.RandomSpecial(), kBomb);
    EXPECT_EQ(feeder.GetBombsLeft(), 0);
    EXPECT_EQ(feeder.RandomSpecial(), kPlain) << "the allowance is spent";
}

TEST_F(CollapseFeedTest, AStepAddsToTheIncomingRowEvenWithRowZeroTaken) {
    Build(WholeBoard(kFull, "ggg......."));
    CollapseFeeder feeder(Level(2), scene.get());
    random.scripted = {99, 99, 1};  // no bomb, no row arrow (none allowed draws nothing), green
    EXPECT_EQ(feeder.Feed(*board), CollapseFeeder::kAppended);
    clsCollapseItem* piece = board->Get(CollapseBoard::kIncomingRow, 3);
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(piece->GetKind(), kPlain);
    EXPECT_EQ(piece->GetColor(), kGreen);
    EXPECT_FALSE(piece->IsSelectable());
}

TEST_F(CollapseFeedTest, AFullIncomingRowIsPushedUpWhenRowZeroIsEmpty) {
    Build(WholeBoard(kEmpty, "gg<ggggggg"));
    CollapseFeeder feeder(Level(2), scene.get());
    EXPECT_EQ(feeder.Feed(*board), CollapseFeeder::kPushedUp);
    EXPECT_TRUE(board->IsRowEmpty(CollapseBoard::kIncomingRow));
    EXPECT_EQ(ReadBoard(*board, 2)[0], "gg<ggggggg");
    for (int column = 0; column < CollapseBoard::kColumns; ++column)
        EXPECT_TRUE(board->Get(13, column)->IsFree()) << column;
}

TEST_F(CollapseFeedTest, AFullIncomingRowWithRowZeroTakenOverflows) {
    Build(WholeBoard("....g.....", kFull));
    CollapseFeeder feeder(Level(2), scene.get());
    EXPECT_EQ(feeder.Feed(*board), CollapseFeeder::kOverflow);
    EXPECT_EQ(ReadBoard(*board, 1)[0], kFull) << "nothing moved";
    EXPECT_EQ(board->Get(0, 4)->GetRow(), 0);
}

TEST_F(CollapseFeedTest, AColumnWithThreeFreeRowsLeftGetsAColumnArrowUnlessItHoldsOne) {
    for (bool holdsOne : {false, true}) {
        board->Clear();
        Picture picture(CollapseBoard::kRows, kEmpty);
        for (int row = 2; row < CollapseBoard::kIncomingRow; ++row) picture[row] = "rr........";  // 12 pieces
        if (holdsOne) picture[2] = "r^........";
        picture.back() = "g.........";
        Build(picture);
        CollapseFeeder feeder(Level(1), scene.get());
        random.scripted = {99, 0};
        ASSERT_EQ(feeder.Feed(*board), CollapseFeeder::kAppended);
        EXPECT_EQ(board->Get(CollapseBoard::kIncomingRow, 1)->GetKind(), holdsOne ? kPlain : kColumnArrow);
        EXPECT_EQ(board->Get(CollapseBoard::kIncomingRow, 1)->GetColor(), kRed);
    }
}

TEST_F(CollapseFeedTest, EveryThirdLevelPlaysTheNextCollapseLevelKeptWithinTheLevelsThereAre) {
    struct Case {
        int level, count, expected;
        bool warned;
    };
    const Case cases[] = {{3, 3, 0, false}, {6, 3, 1, false}, {8, 3, 1, false}, {9, 3, 2, false},
                          {0, 3, 0, true},  {12, 3, 2, true}, {6, 0, 0, true}};
    for (const Case& c : cases) {
        std::string before = Log();
        EXPECT_EQ(clsCollapseGame::CollapseLevelFor(c.level, c.count), c.expected) << c.level << " of " << c.count;
        EXPECT_EQ(Log().size() > before.size() && Log().find("[WARN] Level", before.size()) != std::string::npos, c.warned)
            << c.level << " of " << c.count;
    }
}

}  // namespace
