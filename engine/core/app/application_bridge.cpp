#include "engine/core/app/application_bridge.h"

#include <memory>

#include "engine/core/app/application_data.h"
#include "engine/core/app/bridge_service.h"
#include "engine/core/app/game_state.h"
#include "engine/core/app/game_state_setup.h"
#include "platform/hostchannel/hostchannel.h"

namespace {

class GameStateLink : public IGameBridge {
public:
    void SetState(const TString& name, const TString& value) override {
        if (TGameState* bridge = TGameState::GetInstance()) bridge->SetState(name, value);
    }
    bool IsHostPaused() const override {
        TGameState* bridge = TGameState::GetInstance();
        return bridge && bridge->QueryPauseGame();
    }
    bool IsHostWindowAlive(uint32_t window) const override { return !hostWindow || hostWindow->IsAlive(); }

    std::unique_ptr<platform::HostChannel> hostWindow;
};

GameStateLink& Link() {
    static GameStateLink link;
    return link;
}

}  // namespace

bool OpenHostWindow(TApplicationData& data, uint32_t window) {
    Link().hostWindow = platform::OpenX11HostChannel(window);
    return Link().hostWindow != nullptr;
}

void StartBridge(TApplicationData& data) {
    TGameStateSetup setup;
    setup.commandLine = data.commandLine;
    setup.commonDataFolder = data.commonDataFolder;
    setup.userDataFolder = data.userDataFolder;
    if (data.externalParent != 0) setup.hostChannel = platform::OpenX11HostChannel(data.externalParent);
    StartGameStateBridge(std::move(setup));
    SetGameBridge(&Link());
}

void StopBridge() {
    SetGameBridge(nullptr);
    StopGameStateBridge();
    Link().hostWindow.reset();
}
