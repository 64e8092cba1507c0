#include "engine/scripthost/script_target.h"

#include <unordered_set>

namespace {

// Serials are never reused, so an object made at a dead one's address is not mistaken for it.
TScriptTarget::Serial lastSerial = 0;

std::unordered_set<TScriptTarget::Serial>& LiveSerials() {
    static std::unordered_set<TScriptTarget::Serial> live;
    return live;
}

}  // namespace

TScriptTarget::TScriptTarget() : serial_(++lastSerial) {
    LiveSerials().insert(serial_);
}

TScriptTarget::TScriptTarget(const TScriptTarget&) : TScriptTarget() {}

TScriptTarget::~TScriptTarget() {
    LiveSerials().erase(serial_);
}

bool TScriptTarget::IsAlive(Serial serial) {
    return LiveSerials().contains(serial);
}
