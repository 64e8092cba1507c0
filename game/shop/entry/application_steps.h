// ApplicationSteps: the game's main function's steps on the running application, its window
// manager, the game manager and the game session.
#pragma once

#include "engine/core/base/tstring.h"
#include "game/shop/entry/game_steps.h"
#include "game/shop/entry/window_manager_screens.h"

class TApplication;

class ApplicationSteps : public GameSteps {
public:
    ApplicationSteps(TApplication* application, const TString& commandLine);

    void SetUpPlayLog() override;
    void SetRendererOption(const char* name, const char* value) override;
    void SetWindowTitle() override;
    void CreateGameManager() override;
    void StartSession() override;
    void LoadUserData() override;
    void AddWindowType(const char* name, TWindowFactory factory) override;
    bool RunScript(const char* file) override;
    void DoLuaString(const TString& text) override;
    int LevelOfPlant() override;
    int LevelOfPhoenix() override;
    void InsideGame(bool inside) override;
    bool AreInsideGame() override;

    void NextEvent(TAppEvent& event) override;
    void StoreFullScreenSetting() override;
    void DispatchEvent(const TAppEvent& event) override;
    void PostQuit() override;

    int LevelsWon() override;
    int LevelsLost() override;
    void RecordPlayLog(const char* name, int value) override;
    void SendPlayLog() override;
    void DeleteSession() override;
    void DestroyGameManager() override;
    void FinishPlayLog() override;

protected:
    TApplication* application_;

private:
    TString commandLine_;
    WindowManagerScreens screens_;
};
