// The sound layer's process-wide state, in one place. ResetSoundState puts all of it back to the start; tests
// call it once no sound manager is alive any more.
#pragma once

#include <atomic>
#include <map>
#include <memory>

#include "engine/core/base/tstring.h"
#include "engine/sound/sound_source.h"

class TSoundManager;

struct SoundState {
    std::atomic<TSoundManager*> manager{nullptr};  // the live one
    std::map<TString, TSoundDataSourceBuilder*> builders;  // by extension, not owned
    std::unique_ptr<TSoundDataSourceBuilder> oggBuilder;   // what RegisterOggSourceBuilder registers
};

SoundState& GetSoundState();
void ResetSoundState();
