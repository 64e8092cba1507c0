// The bridge's part of the application's start-up and teardown.
#pragma once

#include <memory>

#include "engine/core/app/game_state.h"
#include "platform/hostchannel/hostchannel.h"

struct TGameStateSetup {
    TString commandLine;
    TString commonDataFolder;
    TString userDataFolder;
    std::unique_ptr<platform::HostChannel> hostChannel; // the "-wnd=" window, when there is one
};

// Creates the bridge; "-msn", "-zylom" or "-pq=" (as "-msn") on the command line add the portal
// handler with the host channel; every ".qvmod" library of the start-up folder is added; then
// the states "cmdline", "commondatadir" and "userdatadir" are sent.
TGameState* StartGameStateBridge(TGameStateSetup setup);
// Destroys the bridge and forgets the portal state.
void StopGameStateBridge();
