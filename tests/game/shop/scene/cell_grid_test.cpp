#include "game/shop/scene/cell_grid.h"

#include <gtest/gtest.h>

namespace {

// The shop floor: 3 rows of 6 cells of 108 pixels, the heroine's anchor in each.
constexpr int kRows = 3;
constexpr int kColumns = 6;
const TVec2 kShopAnchors[kRows][kColumns] = {
    {{105, 30}, {70, 30}, {50, 30}, {15, 30}, {0, 30}, {-30, 50}},
    {{120, 30}, {50, 30}, {50, 30}, {50, 30}, {50, 30}, {30, 30}},
    {{135, -20}, {70, 20}, {40, 20}, {30, 20}, {30, 20}, {30, 20}},
};

clsCellGrid ShopFloor() {
    clsCellGrid grid(kRows, kColumns, 108, 108);
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) grid.AddCell(row, column, kShopAnchors[row][column], false);
    grid.SetOrigin(106, 177);
    return grid;
}

TEST(CellGridTest, TheOriginPlacesEveryCellAndTheBounds) {
    clsCellGrid grid = ShopFloor();
    EXPECT_EQ(grid.GetBounds(), TRect(106, 177, 754, 501));
    clsGridCell* cell = grid.GetCell(1, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(TRect(cell->left, cell->top, cell->right, cell->bottom), TRect(322, 285, 430, 393));
    EXPECT_EQ(cell->GetScreenPoint(), TVec2(372, 315));
    for (auto [row, column] : {std::pair{-1, 0}, {3, 0}, {0, 6}, {0, -1}})
        EXPECT_EQ(grid.GetCell(row, column), nullptr) << row << "," << column;
    grid.AddCell(3, 0, TVec2(), false);
    EXPECT_EQ(grid.GetCell(3, 0), nullptr);
    grid.Clear();
    EXPECT_EQ(grid.GetCell(1, 2), nullptr);
}

TEST(CellGridTest, TheNearestEnabledCellWinsAndTheLaterOfEqualOnes) {
    clsCellGrid grid = ShopFloor();
    EXPECT_EQ(grid.FindNearestCell(TVec2(370, 310)), TVec2(372, 315));
    grid.GetCell(1, 2)->disabled = true;
    EXPECT_NE(grid.FindNearestCell(TVec2(370, 310)), TVec2(372, 315));

    clsCellGrid pair(1, 2, 10, 10);
    pair.AddCell(0, 0, TVec2(5, 5), false);
    pair.AddCell(0, 1, TVec2(5, 5), false);
    EXPECT_EQ(pair.FindNearestCell(TVec2(10, 5)), TVec2(15, 5)) << "equally near: the higher index";
}

TEST(CellGridTest, WithoutAnEnabledCellNearEnoughTheAnswerIsTheOrigin) {
    clsCellGrid empty(2, 2, 10, 10);
    EXPECT_EQ(empty.FindNearestCell(TVec2(3, 3)), TVec2());
    clsCellGrid disabled(1, 1, 10, 10);
    disabled.AddCell(0, 0, TVec2(5, 5), true);
    EXPECT_EQ(disabled.FindNearestCell(TVec2(3, 3)), TVec2());
    clsCellGrid far(1, 1, 10, 10);
    far.AddCell(0, 0, TVec2(5, 5), false);
    EXPECT_EQ(far.FindNearestCell(TVec2(20000, 0)), TVec2());
}

}  // namespace
