#include "engine/core/app/window_system_service.h"

namespace {

WindowSystemFactory& InstalledFactory() {
    static WindowSystemFactory factory = nullptr;
    return factory;
}

}  // namespace

void SetWindowSystemFactory(WindowSystemFactory factory) {
    InstalledFactory() = factory;
}

std::unique_ptr<IWindowSystem> CreateWindowSystem() {
    WindowSystemFactory factory = InstalledFactory();
    return factory ? factory() : std::make_unique<IWindowSystem>();
}
