// The game's executable: the game on a desktop, or headless for tests (headless_run.h).
#include <cstdio>

#include "engine/core/app/application.h"
#include "engine/core/base/command_line.h"
#include "game/shop/entry/game_main.h"
#include "game/shop/entry/headless_run.h"
#include "platform/backend/backend.h"
#include "platform/window/window.h"

namespace {

// Without a display there is nothing to show.
int NoDisplayMain(TApplication*, const TString&) {
    std::fprintf(stderr, "alembria: no display found. The game needs a desktop session "
                         "(DISPLAY or WAYLAND_DISPLAY) to open its window.\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (IsHeadlessRun(argc, argv)) return RunHeadlessGame(argc, argv);
    GameSetup();
    platform::UseBackends(platform::DetectBackends());
    InstallServices();
    bool desktop = platform::GetWindowBackend() == platform::WindowBackend::Real;
    ApplicationMain(BuildCommandLine(argc, argv), desktop ? GameMain : NoDisplayMain, false);
    return 0;
}
