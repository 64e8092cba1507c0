#include "game/shop/scene/cell_grid.h"

TVec2 clsGridCell::GetScreenPoint() const {
    return TVec2(static_cast<float>(left) + anchor.x, static_cast<float>(top) + anchor.y);
}

clsCellGrid::clsCellGrid(int rows, int columns, int cellWidth, int cellHeight)
    : cells_(static_cast<size_t>(rows * columns)),
      rows_(rows),
      columns_(columns),
      cellWidth_(cellWidth),
      cellHeight_(cellHeight) {
    SetOrigin(0, 0);
}

void clsCellGrid::SetOrigin(int x, int y) {
    origin_ = TVec2(static_cast<float>(x), static_cast<float>(y));
    bounds_ = TRect(x, y, x + cellWidth_ * columns_, y + cellHeight_ * rows_);
    for (auto cell = cells_.rbegin(); cell != cells_.rend(); ++cell) PlaceCell(cell->get());
}

void clsCellGrid::AddCell(int row, int column, const TVec2& anchor, bool disabled) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
    auto cell = std::make_unique<clsGridCell>();
    cell->anchor = anchor;
    cell->row = row;
    cell->column = column;
    cell->disabled = disabled;
    PlaceCell(cell.get());
    cells_[row * columns_ + column] = std::move(cell);
}

void clsCellGrid::PlaceCell(clsGridCell* cell) const {
    if (!cell) return;
    float x = static_cast<float>(cell->column * cellWidth_) + origin_.x;
    float y = static_cast<float>(cell->row * cellHeight_) + origin_.y;
    cell->left = static_cast<int>(x);
    cell->top = static_cast<int>(y);
    cell->right = cell->left + cellWidth_;
    cell->bottom = cell->top + cellHeight_;
}

clsGridCell* clsCellGrid::GetCell(int row, int column) const {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return nullptr;
    return cells_[row * columns_ + column].get();
}

TVec2 clsCellGrid::FindNearestCell(const TVec2& p) const {
    float bestDistance = kFarDistance;
    const clsGridCell* best = nullptr;
    for (auto cell = cells_.rbegin(); cell != cells_.rend(); ++cell) {
        if (!*cell || (*cell)->disabled) continue;
        float distance = ((*cell)->GetScreenPoint() - p).Length();
        if (distance < bestDistance) {
            bestDistance = distance;
            best = cell->get();
        }
    }
    return best ? best->GetScreenPoint() : TVec2();
}

void clsCellGrid::Clear() {
    for (std::unique_ptr<clsGridCell>& cell : cells_) cell.reset();
}
