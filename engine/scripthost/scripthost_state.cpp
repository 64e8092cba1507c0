#include "engine/scripthost/scripthost_state.h"

#include "engine/core/base/process_state.h"

ScriptHostState& GetScriptHostState() {
    return ProcessState<ScriptHostState>::Get();
}

void ResetScriptHostState() {
    ProcessState<ScriptHostState>::Reset();
}
