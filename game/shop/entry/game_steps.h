// GameSteps: what the game's main function does, one operation per step, so that the order of the
// steps reads in one place (RunGame) and tests can record it. ApplicationSteps (application_steps.h)
// does them on the running application; a headless run drives the same steps with scripted input.
#pragma once

#include "engine/core/app/app_event.h"
#include "engine/core/base/tstring.h"
#include "engine/ui/window.h"

class GameSteps {
public:
    virtual ~GameSteps() = default;

    // Start-up.
    virtual void SetUpPlayLog() = 0;
    virtual void SetRendererOption(const char* name, const char* value) = 0;
    // The title from the string "windowtitle".
    virtual void SetWindowTitle() = 0;
    // The game manager over the game data, then the 800 x 600 display and the player's volumes.
    virtual void CreateGameManager() = 0;
    // The session learns the application and sets the arrow cursor.
    virtual void StartSession() = 0;
    // The current player's progress.
    virtual void LoadUserData() = 0;
    virtual void AddWindowType(const char* name, TWindowFactory factory) = 0;
    // False when the script file is missing or fails.
    virtual bool RunScript(const char* file) = 0;
    virtual void DoLuaString(const TString& text) = 0;
    // The game data's 1-based numbers of the first levels with the plant and with the phoenix.
    virtual int LevelOfPlant() = 0;
    virtual int LevelOfPhoenix() = 0;
    virtual void InsideGame(bool inside) = 0;
    virtual bool AreInsideGame() = 0;

    // The main loop.
    virtual void NextEvent(TAppEvent& event) = 0;
    virtual void StoreFullScreenSetting() = 0;
    virtual void DispatchEvent(const TAppEvent& event) = 0;
    virtual void PostQuit() = 0;

    // Shut-down.
    virtual int LevelsWon() = 0;
    virtual int LevelsLost() = 0;
    virtual void RecordPlayLog(const char* name, int value) = 0;
    virtual void SendPlayLog() = 0;
    virtual void DeleteSession() = 0;
    virtual void DestroyGameManager() = 0;
    virtual void FinishPlayLog() = 0;
};

// The game's main function over the steps: start-up, the main loop until the quit event, shut-down.
void RunGame(GameSteps& steps);
