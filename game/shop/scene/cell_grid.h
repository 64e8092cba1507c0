// The shop floor's layout: rows × columns cells of one size from an origin, each cell added with an
// anchor point where the heroine stands in it. Pure geometry; it holds no game objects.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/maths.h"

struct clsGridCell {
    // The cell's screen rectangle, set when the grid places it.
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    TVec2 anchor;  // from the rectangle's top-left corner
    int row = 0;
    int column = 0;
    bool disabled = false;  // left out of nearest-cell searches

    TVec2 GetScreenPoint() const;
};

class clsCellGrid {
public:
    clsCellGrid(int rows, int columns, int cellWidth, int cellHeight);

    // Moves the grid's top-left corner there and places every cell again.
    void SetOrigin(int x, int y);
    // Adds (or replaces) the cell at row, column and places it; nothing outside the grid.
    void AddCell(int row, int column, const TVec2& anchor, bool disabled);
    void PlaceCell(clsGridCell* cell) const;
    // Null outside the grid or where no cell was added.
    clsGridCell* GetCell(int row, int column) const;
    // The screen point of the enabled cell nearest to p (of equal ones the highest index); (0, 0)
    // when no cell lies within kFarDistance.
    TVec2 FindNearestCell(const TVec2& p) const;
    // Removes every cell.
    void Clear();
    // The floor has nothing to draw.
    void Draw() const {}

    int GetRows() const { return rows_; }
    int GetColumns() const { return columns_; }
    int GetCellWidth() const { return cellWidth_; }
    int GetCellHeight() const { return cellHeight_; }
    const TVec2& GetOrigin() const { return origin_; }
    const TRect& GetBounds() const { return bounds_; }

    static constexpr float kFarDistance = 9999.0f;

private:
    std::vector<std::unique_ptr<clsGridCell>> cells_;  // row-major; null where no cell was added
    int rows_;
    int columns_;
    int cellWidth_;
    int cellHeight_;
    TVec2 origin_;
    TRect bounds_;
};
