// clsGameInterface: the window every in-game scene derives from (the shop, the bazaar and the
// tutorials, the collapse board, the loading screen). It owns what all scenes share: the cursor
// sprite that follows the mouse, the scene's clock, the day's money and its four earnings
// categories, the scene music, the deferred deletion of scene objects and the scene hooks its
// objects call. It is the game session's current scene from construction on.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/ui/window.h"
#include "game/shop/objects/game_scene.h"

class TSound;
class clsSprite;

class clsGameInterface : public TWindow, public iGameScene {
public:
    // Earnings categories, as the shop books a customer's payment.
    enum EarningsCategory { kPotionEarnings = 0, kArtifactEarnings = 1, kFruitEarnings = 2, kTipEarnings = 3 };
    static constexpr int kEarningsCategories = 4;

    clsGameInterface();
    // Objects still queued are not deleted here: subclasses delete them in their own destructors.
    ~clsGameInterface() override;

    // Marks the player inside the game and takes the clock of the scene's animation task, which
    // runs OnAnimate on every pass of the modal window's task list.
    void Init(TWindowStyle& style) override;
    // Asks for a redraw and keeps the cursor sprite up to date; subclasses call it from theirs.
    bool OnAnimate() override;
    // Moves the cursor sprite to the point and remembers it.
    bool OnMouseMove(TPoint point) override;

    void QueueRelease(clsBasicObject* object) override;
    void OnAnimationEnded(clsAnimatedSprite* sprite) override {}
    void Hook32(clsObjectGraph* object) override {}
    const TClock* GetClock() override { return clock_; }
    iGameAssets& GetAssets() override;
    // Stops the scene music.
    void EndLevel(bool won) override;

    // Then OnMoneyChanged, also for 0.
    void AddMoney(int amount);
    int GetMoney() const { return money_; }
    // Categories outside 0..3 are ignored (and read 0).
    void AddEarnings(int category, int amount);
    int GetEarnings(int category) const;
    int GetTotalEarnings() const;
    // Deletes the queued objects, the last queued first.
    void DeleteReleasedObjects();

    // Scenes alive in the process; the player leaves the game when it returns to 0.
    static int GetLiveSceneCount();
    TPoint GetMousePosition() const { return mousePosition_; }
    uint32_t GetStartTimeMs() const { return startTimeMs_; }
    clsSprite* GetCursor() const { return cursor_.get(); }

protected:
    // The scene music, stopped by EndLevel; subclasses load theirs into it.
    void SetMusic(std::shared_ptr<TSound> music);
    const std::shared_ptr<TSound>& GetMusic() const { return music_; }

private:
    std::vector<clsBasicObject*> releaseQueue_;
    TPoint mousePosition_{0, 0};
    const TClock* clock_ = nullptr;
    std::unique_ptr<clsSprite> cursor_;
    int money_ = 0;
    std::shared_ptr<TSound> music_;
    uint32_t startTimeMs_ = 0;
    std::vector<int> earnings_;
};
