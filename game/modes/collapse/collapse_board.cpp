#include "game/modes/collapse/collapse_board.h"

#include <utility>

#include "game/modes/collapse/collapse_item.h"

CollapseBoard::CollapseBoard(float originX, float originY)
    : origin_(originX, originY),
      rect_(static_cast<int>(originX), static_cast<int>(originY), static_cast<int>(originX) + kColumns * kCellSize,
            static_cast<int>(originY) + kRows * kCellSize) {}

CollapseBoard::~CollapseBoard() {
    Clear();
}

bool CollapseBoard::InGrid(int row, int column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
}

clsCollapseItem* CollapseBoard::Get(int row, int column) const {
    return InGrid(row, column) ? cells_[row][column] : nullptr;
}

bool CollapseBoard::Set(clsCollapseItem* piece, int row, int column, bool force) {
    if (!InGrid(row, column)) return false;
    if (!force && (!piece || cells_[row][column])) return false;
    cells_[row][column] = piece;
    Place(piece, row, column);
    return true;
}

void CollapseBoard::Place(clsCollapseItem* piece, int row, int column) {
    if (!piece || Get(row, column) != piece) return;
    float x = static_cast<float>(column * piece->GetWidth()) + origin_.x + static_cast<float>(piece->GetWidth() / 2);
    float y = static_cast<float>(row * piece->GetHeight()) + origin_.y + static_cast<float>(piece->GetHeight() / 2);
    piece->SetPosition(x, y);
    piece->SetCell(row, column);
}

bool CollapseBoard::AppendToRow(clsCollapseItem* piece, int row) {
    if (!piece || row < 0 || row >= kRows || cells_[row][kColumns - 1]) return false;
    int column = 0;
    for (int c = kColumns - 2; c >= 0; --c) {
        if (cells_[row][c]) {
            column = c + 1;
            break;
        }
    }
    return Set(piece, row, column, false);
}

void CollapseBoard::ShiftUp() {
    if (!IsRowEmpty(0)) return;
    for (int row = 1; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) Swap(row, column, row - 1, column);
}

void CollapseBoard::Swap(int row1, int column1, int row2, int column2) {
    if (!InGrid(row1, column1) || !InGrid(row2, column2)) return;
    std::swap(cells_[row1][column1], cells_[row2][column2]);
    Place(cells_[row1][column1], row1, column1);
    Place(cells_[row2][column2], row2, column2);
}

void CollapseBoard::SwapColumns(int column1, int column2) {
    for (int row = 0; row < kPlayRows; ++row) Swap(row, column1, row, column2);
}

void CollapseBoard::Settle() {
    for (int column = kColumns - 1; column >= 0; --column) Fall(column);
    CloseColumns();
}

// Walks up from row 13: each empty cell takes the nearest piece above it.
void CollapseBoard::Fall(int column) {
    int empty = kPlayRows - 1;
    while (empty >= 0 && cells_[empty][column]) --empty;
    for (int above = empty - 1; above >= 0; --above) {
        if (!cells_[above][column]) continue;
        Swap(above, column, empty, column);
        --empty;
    }
}

void CollapseBoard::CloseColumns() {
    for (int empty = 0; empty < kColumns; ++empty) {
        if (!IsColumnEmpty(empty)) continue;
        int filled = empty + 1;
        while (filled < kColumns && IsColumnEmpty(filled)) ++filled;
        if (filled == kColumns) return;
        SwapColumns(empty, filled);
    }
}

bool CollapseBoard::IsColumnEmpty(int column) const {
    for (int row = 0; row < kPlayRows; ++row)
        if (cells_[row][column]) return false;
    return true;
}

int CollapseBoard::CountInRow(int row) const {
    int count = 0;
    for (int column = 0; column < kColumns; ++column)
        if (Get(row, column)) ++count;
    return count;
}

int CollapseBoard::CountInColumn(int column, int kind) const {
    int count = 0;
    for (int row = 0; row < kRows; ++row) {
        clsCollapseItem* piece = Get(row, column);
        if (piece && (kind == kNoKind || piece->GetKind() == kind)) ++count;
    }
    return count;
}

bool CollapseBoard::IsRowEmpty(int row) const {
    return row >= 0 && row < kRows && CountInRow(row) == 0;
}

bool CollapseBoard::IsRowFull(int row) const {
    return row < 0 || row >= kRows || CountInRow(row) == kColumns;
}

void CollapseBoard::Update(float dt) {
    for (auto& row : cells_)
        for (clsCollapseItem*& piece : row) {
            if (!piece) continue;
            piece->Update(dt);
            if (piece->GetState() == clsCollapseItem::kFinished || piece->IsReleased()) {
                piece->Destroy();
                piece = nullptr;
            }
        }
}

void CollapseBoard::Draw() {
    for (auto& row : cells_)
        for (clsCollapseItem* piece : row)
            if (piece) piece->Draw();
}

void CollapseBoard::Clear() {
    for (auto& row : cells_)
        for (clsCollapseItem*& piece : row) {
            if (piece && !piece->IsReleased()) delete piece;
            piece = nullptr;
        }
}

namespace {

char PieceLetter(const clsCollapseItem* piece) {
    if (!piece) return '.';
    if (piece->GetState() >= clsCollapseItem::kVanishing) return '*';
    switch (piece->GetKind()) {
        case kBomb: return 'B';
        case kRowArrow: return '<';
        case kColumnArrow: return '^';
        case kBlackBottle: return 'K';
        default: return "grpy."[piece->GetColor()];
    }
}

}  // namespace

std::string CollapseBoard::Picture() const {
    std::string picture;
    for (int row = 0; row < kRows; ++row) {
        if (row > 0) picture += '/';
        for (clsCollapseItem* piece : cells_[row]) picture += PieceLetter(piece);
    }
    return picture;
}

bool CollapseBoard::CellAt(int x, int y, int& row, int& column) const {
    if (x < rect_.left || x >= rect_.right || y < rect_.top || y >= rect_.bottom) return false;
    row = (y - rect_.top) / kCellSize;
    column = (x - rect_.left) / kCellSize;
    return true;
}
