// What the application core asks of the game-state bridge (the portal host's link). The bridge
// installs itself with SetGameBridge; until then a bridge without a host answers.
#pragma once

#include <cstdint>

#include "engine/core/base/tstring.h"

class IGameBridge {
public:
    virtual ~IGameBridge() = default;
    virtual void SetState(const TString& name, const TString& value) {}
    // The host holds the game paused; and the total time it has done so (ms).
    virtual bool IsHostPaused() const { return false; }
    virtual uint32_t HostPausedTime() const { return 0; }
    // Whether the host's window (the "-wnd=" window) still exists.
    virtual bool IsHostWindowAlive(uint32_t window) const { return true; }
};

// Null restores the bridge without a host. The bridge must outlive its installation.
void SetGameBridge(IGameBridge* bridge);
IGameBridge& GameBridge();
