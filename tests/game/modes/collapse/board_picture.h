// Collapse boards drawn as text for the tests: one string a row, the last string the incoming row
// (row 14), rows above the picture empty. 'g' 'r' 'p' 'y' plain pieces, 'B' a bomb, '<' a row arrow,
// '^' a column arrow (both red), 'K' a black bottle, '.' an empty cell. Pieces of the incoming row
// are not selectable, as the game puts them there.
#pragma once

#include <string>
#include <vector>

#include "game/modes/collapse/collapse_board.h"
#include "game/modes/collapse/collapse_item.h"

inline void BuildBoard(CollapseBoard& board, iGameScene* scene, const std::vector<std::string>& picture) {
    const int top = CollapseBoard::kRows - static_cast<int>(picture.size());
    for (size_t line = 0; line < picture.size(); ++line)
        for (int column = 0; column < CollapseBoard::kColumns; ++column) {
            const char cell = picture[line][column];
            if (cell == '.') continue;
            int kind = kPlain, color = kNoColor;
            switch (cell) {
                case 'g': color = kGreen; break;
                case 'r': color = kRed; break;
                case 'p': color = kPurple; break;
                case 'y': color = kYellow; break;
                case 'B': kind = kBomb; break;
                case '<': kind = kRowArrow; break;
                case '^': kind = kColumnArrow; break;
                default: kind = kBlackBottle; break;
            }
            auto* piece = new clsCollapseItem(scene, kind, color);
            const int row = top + static_cast<int>(line);
            piece->SetSelectable(row != CollapseBoard::kIncomingRow);
            board.Set(piece, row, column, false);
        }
}

// The board's lowest rows (as many as lines), in CollapseBoard::Picture's letters.
inline std::vector<std::string> ReadBoard(const CollapseBoard& board, int lines) {
    std::vector<std::string> picture;
    const std::string whole = board.Picture();
    const int width = CollapseBoard::kColumns + 1;
    for (int row = CollapseBoard::kRows - lines; row < CollapseBoard::kRows; ++row)
        picture.push_back(whole.substr(row * width, CollapseBoard::kColumns));
    return picture;
}
