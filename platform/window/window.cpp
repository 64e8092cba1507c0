// Backend choice.
#include <atomic>

#include "platform/window/window.h"
#include "platform/window/window_sdl.h"

namespace platform {
namespace {

struct WindowState {
    std::atomic<WindowBackend> backend{WindowBackend::Real};
};

WindowState& GetWindowState() {
    static WindowState state;
    return state;
}

}  // namespace

void UseWindowBackend(WindowBackend backend) {
    GetWindowState().backend = backend;
}

WindowBackend GetWindowBackend() {
    return GetWindowState().backend;
}

std::unique_ptr<Window> CreateWindow() {
    if (GetWindowBackend() == WindowBackend::Real) return CreateSdlWindow();
    return std::make_unique<HeadlessWindow>();
}

}  // namespace platform
