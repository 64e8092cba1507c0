#include "engine/graphics/display_host.h"

#include <SDL.h>

#include <cstdlib>

#include "engine/core/app/application.h"
#include "engine/core/base/log.h"
#include "platform/clock/clock.h"

namespace {
TDisplayHost defaultHost;
TDisplayHost* installedHost = nullptr;
}  // namespace

void TDisplayHost::MessageBox(const char* caption, const char* text) {
    LogPrintf("%s: %s", caption, text);
    // Only when a real video driver runs; headless runs keep the log line alone.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && SDL_strcmp(driver, "dummy") != 0 && SDL_strcmp(driver, "offscreen") != 0)
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
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
    return installedHost ? *installedHost : defaultHost;
}

void SetDisplayHost(TDisplayHost* host) {
    installedHost = host;
}
