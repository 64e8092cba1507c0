// CollapseBoard: the collapse game's grid of 15 rows by 10 columns of 36-pixel cells. Row 0 is the
// top; row 14 is the incoming row, where new pieces collect until the row is pushed up into the
// board. Falling and column closing work on rows 0 to 13 only. The board owns its pieces until it
// hands them to the scene's release queue.
#pragma once

#include <array>
#include <string>

#include "engine/core/base/maths.h"

class clsCollapseItem;

class CollapseBoard {
public:
    static constexpr int kRows = 15;
    static constexpr int kColumns = 10;
    static constexpr int kIncomingRow = kRows - 1;
    static constexpr int kPlayRows = kRows - 1;  // rows 0..13 fall and close
    static constexpr int kCellSize = 36;

    CollapseBoard(float originX, float originY);
    // Deletes the pieces still on the board (Clear).
    ~CollapseBoard();
    CollapseBoard(const CollapseBoard&) = delete;
    CollapseBoard& operator=(const CollapseBoard&) = delete;

    // Null outside the grid.
    clsCollapseItem* Get(int row, int column) const;
    // Without force a null piece or an occupied cell fails; outside the grid always fails.
    bool Set(clsCollapseItem* piece, int row, int column, bool force);
    // Moves the piece held by the cell to the cell's centre and tells it its cell.
    void Place(clsCollapseItem* piece, int row, int column);
    // Into the cell right of the rightmost piece of columns 0..8 (column 0 for an empty row); fails
    // when column 9 is taken.
    bool AppendToRow(clsCollapseItem* piece, int row);
    // Every row one up (row 1 to 0, ..., 14 to 13); nothing while row 0 holds a piece.
    void ShiftUp();
    void Swap(int row1, int column1, int row2, int column2);
    // Exchanges two columns in rows 0..13.
    void SwapColumns(int column1, int column2);
    // Pieces fall to rest on row 13 without gaps, then empty columns close to the right.
    void Settle();

    int CountInRow(int row) const;
    // kNoKind counts every piece.
    int CountInColumn(int column, int kind) const;
    bool IsRowEmpty(int row) const;
    bool IsRowFull(int row) const;

    // Updates every piece; a finished or released piece is destroyed and its cell cleared.
    void Update(float dt);
    // Row by row.
    void Draw();
    // Deletes every piece not yet released and empties every cell.
    void Clear();

    // The board as text, rows 0 to 14 joined by '/': 'g' 'r' 'p' 'y' plain pieces, 'B' a bomb, '<' a
    // row arrow, '^' a column arrow, 'K' a black bottle, '*' a piece on its way out, '.' an empty cell.
    std::string Picture() const;

    const TRect& GetRect() const { return rect_; }
    // The cell under a screen point; false outside the board (right and bottom edges are outside).
    bool CellAt(int x, int y, int& row, int& column) const;

private:
    static bool InGrid(int row, int column);
    void Fall(int column);
    void CloseColumns();
    bool IsColumnEmpty(int column) const;

    TVec2 origin_;
    TRect rect_;
    std::array<std::array<clsCollapseItem*, kColumns>, kRows> cells_{};
};
