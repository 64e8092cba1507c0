// The two level result screens on clsResultScreen: "YouWinWindow" after a won level and
// "YouLoseWindow" after a lost one. They differ in their music, their continue button and their own
// effects; the lose screen also asks the host every frame whether to jump to the menu.
#pragma once

#include "game/screens/results/result_screen.h"

class TYouWin : public clsResultScreen {
public:
    static constexpr const char* kMusicFile = "audio/music/win.ogg";
    static constexpr const char* kButton = "btnNextLevel";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TYouWin"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    TYouWin();

protected:
    // Two looping sparkles by the panel's top right corner.
    void BuildEffects() override;
};

class TYouLose : public clsResultScreen {
public:
    static constexpr const char* kMusicFile = "audio/music/lose.ogg";
    static constexpr const char* kButton = "btnRetry";
    static constexpr const char* kQuitScript = "SendGameMessage('quit')";

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TYouLose"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    TYouLose();

protected:
    // One puff at the panel's top right corner, once.
    void BuildEffects() override;
    // While the host wants the menu, the scripts hear "quit" on every frame.
    void OnFxUpdate(int elapsedMs) override;
};
