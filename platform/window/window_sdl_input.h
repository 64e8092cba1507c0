// SDL2 events turned into native input records (the SDL backend's half of input translation).
#pragma once

#include <SDL2/SDL.h>
#include <vector>

#include "platform/window/window.h"

namespace platform {

// What the translation needs to know besides the event itself.
struct SdlInputState {
    uint16_t modifiers = 0;    // SDL_GetModState() (mouse records take their modifiers from it)
    int mouseX = 0;            // the pointer in the window (wheel records)
    int mouseY = 0;
    bool buttonHeld = false;   // a mouse button is down (focus gained by a click)
    uint32_t quitEventType = 0;// the user event type that carries a posted quit
};

// The virtual key of an SDL key; 0 for keys without one. Sets extended for the keys that have the
// extended-key flag (the navigation block, right Ctrl and Alt, pad Enter and pad divide).
uint32_t VirtualKeyOf(const SDL_Keysym& key, bool& extended);

// Appends the records one SDL event gives (none, one, or several for text input).
void TranslateSdlEvent(const SDL_Event& event, const SdlInputState& state, std::vector<NativeEvent>& out);

}  // namespace platform
