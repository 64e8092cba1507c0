// CollapseFeeder: where the collapse board's pieces come from. It fills the board at the start and
// then, one step at a time, adds a piece to the incoming row, pushes the full row up into the board,
// or finds the board overflowing. Special pieces (bombs, row arrows, black bottles) come by chance
// within the level's allowance; a column close to the top gets a column arrow.
#pragma once

#include <vector>

class CollapseBoard;
class iGameScene;
struct CollapseLevelRecord;

class CollapseFeeder {
public:
    enum Step {
        kAppended,  // a piece joined the incoming row
        kPushedUp,  // the full incoming row became the board's lowest row
        kOverflow,  // the incoming row is full and row 0 is taken: the game is lost
    };
    static constexpr int kFillRows = 6;  // rows 13 up to 8
    static constexpr int kSpecialPercent = 5;
    static constexpr int kColumnArrowFreeRows = 3;

    // A colour count below 1 plays with one colour, above 4 with four.
    CollapseFeeder(const CollapseLevelRecord& level, iGameScene* scene);

    // Rows 13 up to 8 with plain pieces of random colours.
    void Fill(CollapseBoard& board);
    // The cases are exclusive, judged on the board as the step starts.
    Step Feed(CollapseBoard& board);

    // The kind of a new piece: each chance reached draws its own random number.
    int RandomSpecial();
    int RandomColor();

    const std::vector<int>& GetColors() const { return colors_; }
    int GetBombsLeft() const { return bombsLeft_; }
    int GetRowArrowsLeft() const { return rowArrowsLeft_; }

private:
    int NewKind(const CollapseBoard& board, int column);
    static bool Chance();

    iGameScene* scene_;
    std::vector<int> colors_;
    int bombsLeft_;
    int rowArrowsLeft_;
    int itemBlack_;
};
