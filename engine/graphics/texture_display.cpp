#include "engine/graphics/texture_display.h"

#include "engine/graphics/graphics_state.h"

ITextureDisplay& GetTextureDisplay() {
    GraphicsState& state = GetGraphicsState();
    return state.textureDisplay ? *state.textureDisplay : state.noTextureDisplay;
}

void SetTextureDisplay(ITextureDisplay* display) { GetGraphicsState().textureDisplay = display; }
