#include "game/modes/collapse/collapse_feeder.h"

#include <algorithm>

#include "game/data/game_tables.h"
#include "game/modes/collapse/collapse_board.h"
#include "game/modes/collapse/collapse_item.h"
#include "game/shop/scene/game_random.h"

namespace {

// The colours in play, red first, then green, purple and yellow.
constexpr int kColorOrder[kCollapseColors] = {kRed, kGreen, kPurple, kYellow};

}  // namespace

CollapseFeeder::CollapseFeeder(const CollapseLevelRecord& level, iGameScene* scene)
    : scene_(scene),
      colors_(kColorOrder, kColorOrder + std::clamp(level.colors, 1, kCollapseColors)),
      bombsLeft_(level.maxBombs),
      rowArrowsLeft_(level.maxWildBox),
      itemBlack_(level.itemBlack) {}

void CollapseFeeder::Fill(CollapseBoard& board) {
    for (int row = CollapseBoard::kPlayRows - 1; row >= CollapseBoard::kPlayRows - kFillRows; --row)
        for (int column = 0; column < CollapseBoard::kColumns; ++column) {
            auto* piece = new clsCollapseItem(scene_, kPlain, RandomColor());
            if (!board.Set(piece, row, column, true)) piece->Destroy();
        }
}

CollapseFeeder::Step CollapseFeeder::Feed(CollapseBoard& board) {
    const int incoming = CollapseBoard::kIncomingRow;
    if (!board.IsRowFull(incoming)) {
        int kind = NewKind(board, board.CountInRow(incoming));
        int color = kind == kPlain ? RandomColor() : kNoColor;
        auto* piece = new clsCollapseItem(scene_, kind, color);
        piece->SetSelectable(false);
        if (!board.AppendToRow(piece, incoming)) piece->Destroy();
        return kAppended;
    }
    if (!board.IsRowEmpty(0)) return kOverflow;
    board.ShiftUp();
    for (int column = 0; column < CollapseBoard::kColumns; ++column)
        if (clsCollapseItem* piece = board.Get(incoming - 1, column)) piece->SetSelectable(true);
    return kPushedUp;
}

int CollapseFeeder::NewKind(const CollapseBoard& board, int column) {
    bool nearlyFull = CollapseBoard::kRows - board.CountInColumn(column, kNoKind) <= kColumnArrowFreeRows;
    if (nearlyFull && board.CountInColumn(column, kColumnArrow) == 0) return kColumnArrow;
    return RandomSpecial();
}

bool CollapseFeeder::Chance() {
    return GameRandom() % 100 < kSpecialPercent;
}

int CollapseFeeder::RandomSpecial() {
    if (bombsLeft_ > 0 && Chance()) {
        --bombsLeft_;
        return kBomb;
    }
    // A negative allowance gives row arrows without end.
    if (rowArrowsLeft_ != 0 && Chance()) {
        --rowArrowsLeft_;
        return kRowArrow;
    }
    if (itemBlack_ >= 1 && Chance()) return kBlackBottle;
    return kPlain;
}

int CollapseFeeder::RandomColor() {
    return colors_[GameRandom() % colors_.size()];
}
