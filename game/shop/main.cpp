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

// Stands in for the shop game's main function until the game exists: an empty 800 x 600 window
// that runs until it is closed or the quit event arrives. Without a display there is nothing to show.
int StandInGameMain(TApplication* application, const TString&) {
    if (application->Data()->window->IsHeadless()) {
        std::fprintf(stderr, "alembria: no display found. The game needs a desktop session "
                             "(DISPLAY or WAYLAND_DISPLAY) to open its window.\n");
        return 0;
    }
    application->SetDisplayMode(800, 600, 0);
    TAppEvent event;
    bool drawn = false;
    do {
        application->ProcessMessages(event);
        if (!drawn || event.type == kEventRepaint || event.type == kEventActivation) {
            // The display is set up once the window is active, which may come after the first request.
            if (!application->GetDisplay()->IsReady()) application->SetDisplayMode(800, 600, 0);
            drawn = DrawEmptyFrame();
        }
    } while (event.type != kEventClose && event.type != kEventQuit);
    return 0;
}

}  // namespace

// The framework's real display and sound, and the asset kinds they load.
void InstallServices() {
    InstallDisplay();
    InstallSoundServices();
    RegisterTextureAssetKinds();
    RegisterModelAssetKind();
}

int main(int argc, char** argv) {
    GameSetup();
    InstallServices();
    ApplicationMain(BuildCommandLine(argc, argv), StandInGameMain, false);
    return 0;
}
