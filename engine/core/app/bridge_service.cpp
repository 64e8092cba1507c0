#include "engine/core/app/bridge_service.h"

namespace {

IGameBridge*& Installed() {
    static IGameBridge* bridge = nullptr;
    return bridge;
}

}  // namespace

void SetGameBridge(IGameBridge* bridge) {
    Installed() = bridge;
}

IGameBridge& GameBridge() {
    static IGameBridge withoutHost;
    IGameBridge* bridge = Installed();
    return bridge ? *bridge : withoutHost;
}
