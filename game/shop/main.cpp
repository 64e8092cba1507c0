// The game's entry: writes the game's set-up settings, then hands over to the framework.
#include "engine/core/application.h"
#include "engine/core/command_line.h"
#include "engine/core/config.h"

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

// Stands in for the shop game's main function until the game exists.
int StandInGameMain(TApplication* application, const TString& commandLine) {
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    GameSetup();
    ApplicationMain(BuildCommandLine(argc, argv), StandInGameMain, false);
    return 0;
}
