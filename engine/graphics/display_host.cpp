#include "engine/graphics/display_host.h"

#include <cstdlib>

#include "engine/core/app/application.h"
#include "engine/core/base/log.h"
#include "engine/graphics/graphics_state.h"
#include "platform/clock/clock.h"
#include "platform/window/window.h"

void TDisplayHost::MessageBox(const char* caption, const char* text) {
    LogPrintf("%s: %s", caption, text);
    if (platform::Window* window = Window()) window->ShowMessageBox(caption, text);
}

void TDisplayHost::Exit(int code) {
    std::exit(code);
}

void TDisplayHost::Sleep(uint32_t ms) {
    platform::SleepMs(ms);
}

uint32_t TDisplayHost::Now() {
    return ApplicationTimer();
}

TDisplayHost& GetDisplayHost() {
    GraphicsState& state = GetGraphicsState();
    return state.displayHost ? *state.displayHost : state.defaultDisplayHost;
}

void SetDisplayHost(TDisplayHost* host) {
    GetGraphicsState().displayHost = host;
}
