// A collapse board on the recording scene with its moves and an empty bottle panel.
#pragma once

#include <memory>

#include "game/modes/collapse/bottle_panel.h"
#include "game/modes/collapse/collapse_moves.h"
#include "tests/game/modes/collapse/board_picture.h"
#include "tests/game/shop/shop_fixture.h"

class CollapseTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        board = std::make_unique<CollapseBoard>(58.0f, 34.0f);
        bottles = std::make_unique<CollapseBottlePanel>(scene.get());
        moves = std::make_unique<CollapseMoves>(*board, *bottles, scene.get());
    }
    void TearDown() override {
        moves.reset();
        board.reset();
        bottles.reset();
        ShopTest::TearDown();
    }

    // The board as the picture, whose first line is at row 15 - lines.
    void Build(const std::vector<std::string>& picture) {
        BuildBoard(*board, scene.get(), picture);
        lines = static_cast<int>(picture.size());
    }
    // The cell at line/column of the picture.
    clsCollapseItem* At(int line, int column) const { return board->Get(CollapseBoard::kRows - lines + line, column); }
    std::vector<std::string> Read() const { return ReadBoard(*board, lines); }

    // The removed pieces finish vanishing, reach the bottles and the board settles.
    void FinishRemoval() {
        board->Update(0.0f);
        for (clsCollapseItem* piece : moves->TakeArrived()) bottles->OnPieceArrived(*piece);
        board->Settle();
        scene->DeleteReleasedObjects();
    }

    std::unique_ptr<CollapseBoard> board;
    std::unique_ptr<CollapseBottlePanel> bottles;
    std::unique_ptr<CollapseMoves> moves;
    int lines = 0;
};
