#include "engine/sound/sound_state.h"

#include "engine/core/base/process_state.h"

SoundState& GetSoundState() {
    return ProcessState<SoundState>::Get();
}

void ResetSoundState() {
    ProcessState<SoundState>::Reset();
}
