#include "game/shop/entry/game_main.h"

#include "engine/core/base/config.h"
#include "engine/graphics/animated_texture.h"
#include "engine/graphics/model.h"
#include "engine/graphics/render_display.h"
#include "engine/graphics/texture.h"
#include "engine/sound/sound_manager.h"
#include "engine/ui/window_manager.h"
#include "game/shop/entry/application_steps.h"

void GameSetup() {
    SetConfig("gamename", "Alembria");
    SetConfig("utf8mode", "1");
    SetConfig("automergemask", "1");
    SetConfig("verbosedebug", "1");
    SetConfig("hittestchildren", "1");
    SetConfig("encryptionkey", "BrineKelpVQZ");
    SetConfig("qvgamehandle", "Alembria");
}

void InstallServices() {
    InstallDisplay();
    InstallWindowSystem();
    InstallSoundServices();
    RegisterTextureAssetKinds();
    RegisterAnimatedTextureAssetKinds();
    RegisterModelAssetKind();
}

int GameMain(TApplication* application, const TString& commandLine) {
    ApplicationSteps steps(application, commandLine);
    RunGame(steps);
    return 0;
}
