// The screens as the game manager drives them: the window manager's modal stack and the transition
// window of the top modal window.
#pragma once

#include "game/data/game_manager_links.h"

class WindowManagerScreens : public GameScreens {
public:
    bool TopModalHasParent() override;
    void PopTopModal() override;
    void StartTransition(const TString& code, const TString& functionName) override;
};
