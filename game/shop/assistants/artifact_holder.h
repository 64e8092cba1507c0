// iArtifactHolder: the shop's holder of nine artifact slots, as Radaduvoz serves it.
#pragma once

#include "engine/core/base/maths.h"

class iArtifactHolder {
public:
    virtual ~iArtifactHolder() = default;
    // The slot holding the artifact, searched from the last slot down; -1 when none holds it.
    virtual int FindArtifactSlot(int artifactId) = 0;
    // Where a slot's artifact stands on the holder (slots 0..8).
    virtual TVec2 GetArtifactSlotPosition(int slot) = 0;
    // Makes the slot's artifact ready again.
    virtual void ResetArtifact(int slot) = 0;
};
