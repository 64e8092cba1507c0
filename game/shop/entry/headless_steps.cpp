#include "game/shop/entry/headless_steps.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/replayed_input.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/png_shot.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"
#include "game/shop/probe/game_probe.h"
#include "platform/clock/clock.h"
#include "platform/window/window.h"

namespace {

const char kMainScript[] = "scripts/mainloop.lua";

TWindowScript* WindowScript() { return dynamic_cast<TWindowScript*>(TWindowManager::Get()->GetScript()); }

}  // namespace

HeadlessSteps::HeadlessSteps(TApplication* application, const TString& commandLine, HeadlessRun& run)
    : ApplicationSteps(application, commandLine),
      run_(run),
      window_(dynamic_cast<platform::HeadlessWindow*>(application->GetMainWindow())),
      scenario_(run.scenarioPath, run.scenario) {
    run_.logFile = std::string(application->Data()->userDataFolder.CStr()) + "/logfile.txt";
    // The game starts in front, as on a desktop.
    TAppEvent activated;
    MakeAppEvent(activated, kEventActivation, 0, 0, 1);
    Input(activated);
}

void HeadlessSteps::CreateGameManager() {
    ApplicationSteps::CreateGameManager();
    GameProbe::Get().Bind(WindowScript()->GetState());
}

bool HeadlessSteps::RunScript(const char* file) {
    bool ran = ApplicationSteps::RunScript(file);
    if (!ran && std::strcmp(file, kMainScript) == 0) {
        std::fprintf(stderr, "alembria: %s cannot be loaded or run\n", kMainScript);
        run_.status = HeadlessRun::kMainScriptFailed;
        ending_ = true;
    }
    return ran;
}

void HeadlessSteps::NextEvent(TAppEvent& event) {
    if (!ending_) {
        FeedDueEvents();
        ApplicationSteps::NextEvent(event);
        if (event.type == kEventIdle && ++frames_ > run_.frameLimit) {
            run_.status = HeadlessRun::kOutOfFrames;
            ending_ = true;
        } else if (event.type == kEventIdle) {
            WritePendingShot();
            PlayScenario();
            platform::AdvanceTestClock(kHeadlessFrameMs);
        }
        // The game quits of its own accord.
        if (event.type == kEventQuit && !run_.scenarioPath.empty()) EndScenario(scenario_.OnQuit(*this));
    }
    if (ending_) MakeAppEvent(event, kEventQuit);
    if (event.type == kEventQuit) {
        WritePendingShot();
        TakeShot();
    }
}

void HeadlessSteps::FeedDueEvents() {
    for (; nextEvent_ < run_.events.size() && run_.events[nextEvent_].ms <= platform::TicksMs(); ++nextEvent_)
        Input(run_.events[nextEvent_].event);
}

void HeadlessSteps::PlayScenario() {
    if (run_.scenarioPath.empty()) return;
    ScenarioPlayer::Progress progress = scenario_.OnIdle(platform::TicksMs(), *this);
    if (progress != ScenarioPlayer::Progress::kPlaying) EndScenario(progress);
}

// A scenario played to its end ends the run as a quit; a failed one with its own status.
void HeadlessSteps::EndScenario(ScenarioPlayer::Progress progress) {
    if (progress == ScenarioPlayer::Progress::kFailed) {
        run_.status = HeadlessRun::kScenarioFailed;
        run_.failure = scenario_.Failure();
    }
    ending_ = true;
}

std::string HeadlessSteps::ProbeLine() { return GameProbe::Get().Line(); }

void HeadlessSteps::Input(const TAppEvent& event) {
    for (const platform::NativeEvent& record : NativeRecordsFor(event)) window_->Push(record);
}

bool HeadlessSteps::RunLua(const std::string& text) {
    return WindowScript()->TScript::DoLuaString(TString(text.c_str())) == 0;
}

void HeadlessSteps::TakeShot() {
    if (!run_.shot.empty()) WriteShot(run_.shot);
}

// The shot is written on the next pass, once the frame shows what the steps before it did;
// "out/day.png" and "lost" make "out/day-lost.png".
void HeadlessSteps::Shot(const std::string& name) {
    if (run_.shot.empty()) return;
    std::filesystem::path path(run_.shot);
    pendingShot_ = (path.parent_path() / (path.stem().string() + "-" + name + ".png")).string();
}

void HeadlessSteps::WritePendingShot() {
    if (pendingShot_.empty()) return;
    WriteShot(pendingShot_);
    pendingShot_.clear();
}

void HeadlessSteps::WriteShot(const std::string& path) {
    TPlatform* display = TPlatform::Instance();
    auto* surface = display ? display->Data()->backSurface.get() : nullptr;
    if (!surface || !WritePngShot(*surface, path.c_str())) std::fprintf(stderr, "alembria: cannot write %s\n", path.c_str());
}
