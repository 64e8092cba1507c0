#include "engine/graphics/graphics_state.h"

#include "engine/core/base/process_state.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"

GraphicsState::GraphicsState() = default;
GraphicsState::~GraphicsState() = default;

GraphicsState& GetGraphicsState() {
    return ProcessState<GraphicsState>::Get();
}

void ResetGraphicsState() {
    ProcessState<GraphicsState>::Reset();
}
