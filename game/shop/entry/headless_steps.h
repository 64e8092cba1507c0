// The game's main function's steps in a headless run: the scripted events enter the message pump
// when the test clock reaches them, a scenario plays on every idle pass, each idle pass moves the
// clock on by one frame, and the run ends when the game quits, when the main script fails, when the
// scenario ends or fails, or when its frames are spent.
#pragma once

#include <string>
#include <vector>

#include "engine/core/app/timed_events.h"
#include "game/shop/entry/application_steps.h"
#include "game/shop/entry/scenario_player.h"

namespace platform {
class HeadlessWindow;
}

struct HeadlessRun {
    enum Status { kQuit = 0, kMainScriptFailed = 1, kOutOfFrames = 3, kScenarioFailed = 4 };

    std::vector<TimedEvent> events;
    std::string scenarioPath;  // no scenario when empty
    std::vector<ScenarioStep> scenario;
    long frameLimit = 100000;
    std::string shot;  // the PNG of the last frame, and the scenario's shots beside it; none when empty
    // Filled by the run.
    Status status = kQuit;
    std::string logFile;
    std::string failure;  // why the scenario failed
};

class HeadlessSteps : public ApplicationSteps, private ScenarioPlayer::Game {
public:
    HeadlessSteps(TApplication* application, const TString& commandLine, HeadlessRun& run);

    void CreateGameManager() override;
    bool RunScript(const char* file) override;
    void NextEvent(TAppEvent& event) override;

private:
    void FeedDueEvents();
    void PlayScenario();
    void EndScenario(ScenarioPlayer::Progress progress);
    void TakeShot();
    void WriteShot(const std::string& path);
    void WritePendingShot();

    std::string ProbeLine() override;
    void Input(const TAppEvent& event) override;
    bool RunLua(const std::string& text) override;
    void Shot(const std::string& name) override;

    HeadlessRun& run_;
    platform::HeadlessWindow* window_;
    ScenarioPlayer scenario_;
    size_t nextEvent_ = 0;
    long frames_ = 0;
    bool ending_ = false;
    std::string pendingShot_;  // the scenario's shot, written once the next frame is drawn
};
