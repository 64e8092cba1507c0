// The game's entry: writes the game's set-up settings, then hands over to the framework.
#include <cstdio>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/base/command_line.h"
#include "engine/core/base/config.h"
#include "engine/core/app/display_service.h"
#include "engine/graphics/model.h"
#include "engine/graphics/render_display.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"
#include "engine/sound/sound_manager.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"
#include "platform/backend/backend.h"
#include "platform/window/window.h"

namespace {

// The settings the framework reads from its first step on.
void GameSetup() {
    SetConfig("gamename", "Alembria");
    SetConfig("utf8mode", "1");
    SetConfig("automergemask", "1");
    SetConfig("verbosedebug", "1");
    SetConfig("hittestchildren", "1");
    SetConfig("encryptionkey", "BrineKelpVQZ");
    SetConfig("qvgamehandle", "Alembria");
}

// An empty frame: the window's background.
bool DrawEmptyFrame() {
    TRenderer* renderer = TRenderer::Get();
    if (!renderer->BeginDraw(1)) return false;
    if (renderer->Begin2d()) {
        const float black[4] = {0, 0, 0, 1};
        renderer->FillRect(TRect(0, 0, 800, 600), black);
        renderer->End2d();
    }
    renderer->EndDraw();
    return true;
}

bool IsClosing(const TAppEvent& event) {
    return event.type == kEventClose || event.type == kEventQuit;
}

// The game's screens in script: "scripts/mainloop.lua" runs as the window script's coroutine while
// every event goes through the window system. False when there is no such script.
bool RunMainLoopScript(TApplication* application) {
    TWindowManager* manager = TWindowManager::Get();
    auto* script = manager ? dynamic_cast<TWindowScript*>(manager->GetScript()) : nullptr;
    if (!script || !script->RunScript("scripts/mainloop.lua")) return false;
    TAppEvent event;
    do {
        application->ProcessMessages(event);
        if (event.type == kEventActivation && !application->GetDisplay()->IsReady())
            application->SetDisplayMode(800, 600, 0);
        manager->DispatchEvent(event);
        manager->RenderFrame();
    } while (!IsClosing(event));
    return true;
}

// Stands in for the shop game's main function until the game exists: the main loop script when
// there is one, else an empty 800 x 600 window that runs until it is closed or the quit event
// arrives. Without a display there is nothing to show.
int StandInGameMain(TApplication* application, const TString&) {
    if (application->Data()->window->IsHeadless()) {
        std::fprintf(stderr, "alembria: no display found. The game needs a desktop session "
                             "(DISPLAY or WAYLAND_DISPLAY) to open its window.\n");
        return 0;
    }
    application->SetDisplayMode(800, 600, 0);
    if (RunMainLoopScript(application)) return 0;
    TAppEvent event;
    bool drawn = false;
    do {
        application->ProcessMessages(event);
        if (!drawn || event.type == kEventRepaint || event.type == kEventActivation) {
            // The display is set up once the window is active, which may come after the first request.
            if (!application->GetDisplay()->IsReady()) application->SetDisplayMode(800, 600, 0);
            drawn = DrawEmptyFrame();
        }
    } while (!IsClosing(event));
    return 0;
}

}  // namespace

// The framework's real display and sound, and the asset kinds they load.
void InstallServices() {
    InstallDisplay();
    InstallWindowSystem();
    InstallSoundServices();
    RegisterTextureAssetKinds();
    RegisterModelAssetKind();
}

int main(int argc, char** argv) {
    GameSetup();
    // A real window, display and sound where a display answers; headless ones otherwise.
    platform::UseBackends(platform::DetectBackends());
    InstallServices();
    ApplicationMain(BuildCommandLine(argc, argv), StandInGameMain, false);
    return 0;
}
