#include "platform/backend/backend.h"

#include "platform/audio/audio.h"
#include "platform/audio/audio_sdl.h"
#include "platform/clock/clock.h"
#include "platform/sysinfo/sysinfo.h"
#include "platform/video/profile.h"
#include "platform/video/profile_sdl.h"
#include "platform/window/window.h"
#include "platform/window/window_sdl.h"

namespace platform {

Backends DetectBackends() {
    return IsDisplayAvailable() ? Backends::Real : Backends::Headless;
}

void UseBackends(Backends backends) {
    InstallRealWindow(CreateSdlWindow);
    video::InstallRealProfileReader(video::DetectSdlProfile);
    InstallRealAudioDevice(OpenSdlAudioDevice);
    bool real = backends == Backends::Real;
    UseWindowBackend(real ? WindowBackend::Real : WindowBackend::Headless);
    video::UseVideoBackend(real ? video::VideoBackend::Real : video::VideoBackend::Headless);
    UseAudioBackend(real ? AudioBackend::Real : AudioBackend::Headless);
    // Time and the machine's identity are the real ones either way; only tests take them over.
    UseClockBackend(ClockBackend::Real);
    UseSysinfoBackend(SysinfoBackend::Real);
}

}  // namespace platform
