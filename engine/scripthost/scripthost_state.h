// The script host's process-wide state, in one place. ResetScriptHostState puts all of it back to the start;
// tests call it once no script and no script target is alive any more.
#pragma once

#include <unordered_set>
#include <vector>

#include "engine/core/base/tstring.h"
#include "engine/scripthost/script_target.h"

class TScript;

struct ScriptHostState {
    TString searchPath = "assets/?;?;../?;../../?";
    int runDepth = 0;                // script runs under way, nested
    std::vector<TScript*> disposed;  // deleted once the outermost run ends
    // Serials are never reused, so an object made at a dead one's address is not mistaken for it.
    TScriptTarget::Serial lastSerial = 0;
    std::unordered_set<TScriptTarget::Serial> liveSerials;
};

ScriptHostState& GetScriptHostState();
void ResetScriptHostState();
