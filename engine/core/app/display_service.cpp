#include "engine/core/app/display_service.h"

namespace {

DisplayFactory& InstalledFactory() {
    static DisplayFactory factory = nullptr;
    return factory;
}

}  // namespace

void SetDisplayFactory(DisplayFactory factory) {
    InstalledFactory() = factory;
}

std::unique_ptr<IDisplay> CreateDisplay() {
    DisplayFactory factory = InstalledFactory();
    return factory ? factory() : std::make_unique<IDisplay>();
}
