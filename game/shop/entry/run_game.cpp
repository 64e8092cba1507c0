// The game's main function, step by step. The order of the screens is not here: "scripts/mainloop.lua"
// and the scripts it runs open the windows by their type names.
#include "engine/core/app/app_event.h"
#include "game/shop/entry/game_steps.h"
#include "game/shop/entry/game_window_types.h"

namespace {

struct RendererOption {
    const char* name;
    const char* value;
};

// "texture_rectangle" is no option of this renderer; it is passed on all the same and ignored there.
constexpr RendererOption kRendererOptions[] = {
    {"new_subtractive", "1"}, {"new_render_blend", "1"}, {"texture_rectangle", "1"}, {"fps", "0"}};

void StartUp(GameSteps& steps) {
    steps.SetUpPlayLog();
    for (const RendererOption& option : kRendererOptions) steps.SetRendererOption(option.name, option.value);
    steps.SetWindowTitle();
    steps.CreateGameManager();
    steps.StartSession();
    steps.LoadUserData();
    for (const GameWindowType& type : kGameWindowTypes) steps.AddWindowType(type.name, type.factory);
    steps.RunScript("scripts/mainloop.lua");
    // The scripts count levels from 0.
    steps.DoLuaString(TString::Format("setLevelOfPlant(%d)", steps.LevelOfPlant() - 1));
    steps.DoLuaString(TString::Format("setLevelOfPhoenix(%d)", steps.LevelOfPhoenix() - 1));
    steps.InsideGame(false);
}

// The close button asks the scripts; without a working "quitverify.lua" the game just quits, so
// that the window can always be closed.
void OnCloseRequested(GameSteps& steps) {
    if (!steps.RunScript("scripts/quitverify.lua")) steps.PostQuit();
}

// Losing the activation during a level pauses it once: the flag is cleared before the dialog opens,
// and the scripts set it again when the level goes on.
void OnActivationLost(GameSteps& steps) {
    if (!steps.AreInsideGame()) return;
    steps.InsideGame(false);
    steps.DoLuaString("DoModal('scripts/pause.lua');");
}

// Every event but the quit event reaches the window manager, also those handled here first.
void RunMainLoop(GameSteps& steps) {
    TAppEvent event;
    for (steps.NextEvent(event); event.type != kEventQuit; steps.NextEvent(event)) {
        if (event.type == kEventClose) OnCloseRequested(steps);
        if (event.type == kEventFullScreen) steps.StoreFullScreenSetting();  // the pump has switched already
        if (event.type == kEventActivation && event.param != 1) OnActivationLost(steps);
        steps.DispatchEvent(event);
    }
}

void ShutDown(GameSteps& steps) {
    steps.RecordPlayLog("Alembria: LevelsWon", steps.LevelsWon());
    steps.RecordPlayLog("Alembria: LevelsFailed", steps.LevelsLost());
    steps.SendPlayLog();
    steps.DeleteSession();
    steps.DestroyGameManager();
    steps.FinishPlayLog();
}

}  // namespace

void RunGame(GameSteps& steps) {
    StartUp(steps);
    RunMainLoop(steps);
    ShutDown(steps);
}
