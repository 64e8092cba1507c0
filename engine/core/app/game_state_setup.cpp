#include "engine/core/app/game_state_setup.h"

#include "engine/core/app/dll_game_state.h"
#include "engine/core/app/portal_handler.h"

namespace {

bool Has(const TString& commandLine, const char* option) { return commandLine.Find(TString(option)) >= 0; }

}  // namespace

TGameState* StartGameStateBridge(TGameStateSetup setup) {
    TGameState* bridge = TGameState::CreateInstance();
    const TString& commandLine = setup.commandLine;
    int host = 0;
    if (Has(commandLine, "-msn") || Has(commandLine, "-pq=")) host |= TMsnZylomHandler::kMsn;
    if (Has(commandLine, "-zylom")) host |= TMsnZylomHandler::kZylom;
    if (host) {
        TMsnZylomHandler::SetHost(host);
        TMsnZylomHandler::SetChannel(std::move(setup.hostChannel));
        bridge->AddHandler(std::make_unique<TMsnZylomHandler>());
    }
    LoadHandlerLibraries(*bridge);
    bridge->SetState("cmdline", commandLine);
    bridge->SetState("commondatadir", setup.commonDataFolder);
    bridge->SetState("userdatadir", setup.userDataFolder);
    return bridge;
}

void StopGameStateBridge() {
    TGameState::DestroyInstance();
    TMsnZylomHandler::ResetPortal();
}
