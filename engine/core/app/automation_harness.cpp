#include "engine/core/app/automation_harness.h"

#include <cstdint>

#include "platform/hostchannel/hostchannel.h"
#include "platform/window/window.h"

namespace {

// Called with the program's instance (none on this system); answers the harness window.
using HarnessHook = void* (*)(void* instance);

}  // namespace

void TAutomationHarness::Load(const TString& folder) {
    auto library = std::make_unique<platform::Library>();
    if (!library->Open((folder + "/qvHarness.so").CStr())) return;
    if (auto hook = reinterpret_cast<HarnessHook>(library->Find("TestHook")))
        window_ = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hook(nullptr)));
    library_ = std::move(library);
}

void TAutomationHarness::PostQuit() {
    if (window_ == 0) return;
    if (auto channel = platform::OpenX11HostChannel(window_)) channel->Post(platform::kMsgQuit, 0, 0);
}
