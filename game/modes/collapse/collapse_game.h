// clsCollapseGame ("CollapseWindow"): the collapse mini-game, played instead of every third shop
// level. Pieces arrive one by one in the incoming row under the board, which is pushed up when full;
// the player clicks groups of a colour into the bottles beside it. A full bottle wins the bottle's
// charm; a board that cannot take the next row is lost. Either way the scripts hear of it through
// "playEndCollapse" with the charm's id, or an empty text.
#pragma once

#include <memory>
#include <vector>

#include "game/data/game_tables.h"
#include "game/modes/collapse/bottle_panel.h"
#include "game/shop/scene/game_interface.h"

class CollapseBoard;
class CollapseFeeder;
class CollapseMoves;
class TText;
class clsAnimatedSprite;
class clsSprite;

class clsCollapseGame : public clsGameInterface {
public:
    enum CollapseState {
        kNotSetUp = 0,
        kWaitStart = 1,      // the opening delay before the first piece
        kWaitAfterPush = 2,  // a short rest after a row was pushed up
        kFeeding = 3,        // a new piece every 0.3 s
        kOver = 4,           // won or lost; clicks and the timer are idle
    };
    static constexpr float kFeedSeconds = 0.3f;
    static constexpr char kMusic[] = "audio/music/collapsemusic.ogg";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsCollapseGame"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || clsGameInterface::IsKindOf(id); }

    // Starts the music and picks the collapse level for the current level (every third level, the
    // next collapse level).
    clsCollapseGame();
    ~clsCollapseGame() override;

    // The level's settings, the filled board, the decorations and the bottles.
    void Init(TWindowStyle& style) override;
    // Finds the score and level texts.
    void PostCreate(TWindowStyle& style) override;
    // Character, potion panel, pieces, bottles, arrows and border.
    void Draw() override;
    // One frame: the timer, the board, the pieces reaching the bottles, the bottles.
    bool OnAnimate() override;
    bool OnMouseDown(TPoint point) override;
    // Once: the character cheers or sighs, the charm is saved, the scripts are told.
    void EndLevel(bool won) override;
    void OnMoneyChanged() override;

    // The names the loading screen loads before the game.
    static void PreloadCollapseGameAssets(iGameAssets& assets);
    // The collapse level played at a level index: index / 3 - 1, kept within the levels there are.
    static int CollapseLevelFor(int levelIndex, int collapseLevelCount);

    int GetState() const { return state_; }
    int GetWonCharm() const { return wonCharm_; }
    const CollapseBoard* GetBoard() const { return board_.get(); }
    const CollapseBottlePanel& GetBottles() const { return bottles_; }

private:
    void Step(float dt);
    void Feed();
    void BottlesFull(const std::vector<const clsBottleItem*>& full);
    void EnterFeeding();
    void EnterOver();
    void SaveCharm(int charmBits, bool saveProgress);
    void LoadMissingAssets();
    void BuildDecorations();
    void AddProbeFields();
    std::string BottleCounts() const;

    CollapseLevelRecord level_;
    std::unique_ptr<CollapseBoard> board_;
    std::unique_ptr<CollapseFeeder> feeder_;
    std::unique_ptr<CollapseMoves> moves_;
    CollapseBottlePanel bottles_{this};
    int state_ = kNotSetUp;
    float startWaitSeconds_ = 0.0f;
    float pushWaitSeconds_ = 0.0f;
    float waitedSeconds_ = 0.0f;
    uint32_t lastMs_ = 0;
    int wonCharm_ = -1;
    TText* scoreText_ = nullptr;
    TText* levelText_ = nullptr;
    std::unique_ptr<clsAnimatedSprite> leftArrow_;
    std::unique_ptr<clsAnimatedSprite> rightArrow_;
    std::unique_ptr<clsAnimatedSprite> border_;
    std::unique_ptr<clsSprite> potionPanel_;
    std::unique_ptr<clsAnimatedSprite> character_;
};
