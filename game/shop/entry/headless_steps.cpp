#include "game/shop/entry/headless_steps.h"

#include <cstdio>
#include <cstring>

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

}  // namespace

HeadlessSteps::HeadlessSteps(TApplication* application, const TString& commandLine, HeadlessRun& run)
    : ApplicationSteps(application, commandLine),
      run_(run),
      window_(dynamic_cast<platform::HeadlessWindow*>(application->GetMainWindow())) {
    run_.logFile = std::string(application->Data()->userDataFolder.CStr()) + "/logfile.txt";
    // The game starts in front, as on a desktop.
    TAppEvent activated;
    MakeAppEvent(activated, kEventActivation, 0, 0, 1);
    for (const platform::NativeEvent& record : NativeRecordsFor(activated)) window_->Push(record);
}

void HeadlessSteps::CreateGameManager() {
    ApplicationSteps::CreateGameManager();
    auto* script = dynamic_cast<TWindowScript*>(TWindowManager::Get()->GetScript());
    GameProbe::Get().Bind(script->GetState());
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
            platform::AdvanceTestClock(kHeadlessFrameMs);
        }
    }
    if (ending_) MakeAppEvent(event, kEventQuit);
    if (event.type == kEventQuit) TakeShot();
}

void HeadlessSteps::FeedDueEvents() {
    for (; nextEvent_ < run_.events.size() && run_.events[nextEvent_].ms <= platform::TicksMs(); ++nextEvent_) {
        for (const platform::NativeEvent& record : NativeRecordsFor(run_.events[nextEvent_].event))
            window_->Push(record);
    }
}

void HeadlessSteps::TakeShot() {
    if (run_.shot.empty()) return;
    TPlatform* display = TPlatform::Instance();
    auto* surface = display ? display->Data()->backSurface.get() : nullptr;
    if (!surface || !WritePngShot(*surface, run_.shot.c_str()))
        std::fprintf(stderr, "alembria: cannot write %s\n", run_.shot.c_str());
}
