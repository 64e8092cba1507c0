// The graphics layer's process-wide state, in one place. ResetGraphicsState puts all of it back to the start;
// tests call it once nothing of the layer is alive any more.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/app/task.h"
#include "engine/core/base/mersenne_twister.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/texture_display.h"

class TPlatform;
class TRenderer;
class TTexture;

struct GraphicsState {
    GraphicsState();
    ~GraphicsState();

    // Installed services; null: the defaults answer.
    TDisplayHost* displayHost = nullptr;
    ITextureDisplay* textureDisplay = nullptr;
    TDisplayHost defaultDisplayHost;
    ITextureDisplay noTextureDisplay;
    std::unique_ptr<TDisplayHost> applicationDisplayHost;       // what InstallDisplay installs
    std::unique_ptr<ITextureDisplay> platformTextureDisplay;    // what TPlatform::Create installs
    void (*outOfVideoMemoryHandler)() = nullptr;

    // The display handler and what drawing keeps beside it (destroyed before it).
    std::unique_ptr<TPlatform> platform;
    uint32_t renderStateCache[8] = {};  // cleared whenever a display is built
    bool cursorApplied = false;         // the first display made ready applied the cursor
    std::unique_ptr<TRenderer> renderer;
    int liveSprites = 0;
    std::shared_ptr<TTexture> hitTarget;  // the pixel hit test's 4 x 4 target, dropped with the last sprite

    // Animated sprites without a running application: their task list and random numbers.
    TTaskList animationTasks;
    MersenneTwister scriptRandom;
};

GraphicsState& GetGraphicsState();
void ResetGraphicsState();
