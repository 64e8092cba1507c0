#include "engine/scripthost/script_target.h"

#include "engine/scripthost/scripthost_state.h"

TScriptTarget::TScriptTarget() : serial_(++GetScriptHostState().lastSerial) {
    GetScriptHostState().liveSerials.insert(serial_);
}

TScriptTarget::TScriptTarget(const TScriptTarget&) : TScriptTarget() {}

TScriptTarget::~TScriptTarget() {
    GetScriptHostState().liveSerials.erase(serial_);
}

bool TScriptTarget::IsAlive(Serial serial) {
    return GetScriptHostState().liveSerials.contains(serial);
}
