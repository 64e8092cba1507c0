// Backend choice.
#include <atomic>

#include "platform/window/window.h"

namespace platform {
namespace {

struct WindowState {
    std::atomic<WindowBackend> backend{WindowBackend::Real};
    std::atomic<std::unique_ptr<Window> (*)()> createReal{nullptr};
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

void InstallRealWindow(std::unique_ptr<Window> (*create)()) {
    GetWindowState().createReal = create;
}

std::unique_ptr<Window> CreateWindow() {
    WindowState& state = GetWindowState();
    auto createReal = state.createReal.load();
    if (state.backend == WindowBackend::Real && createReal) return createReal();
    return std::make_unique<HeadlessWindow>();
}

}  // namespace platform
