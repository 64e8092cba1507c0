#include "tools/ui_run/ui_run_host.h"

#include <cstdio>

#include "platform/clock/clock.h"

uint32_t UiRunWindowHost::GetTimer() {
    return platform::TicksMs();
}

bool UiRunWindowHost::StringToClipboard(const TString& text) {
    clipboard = text;
    return true;
}

void UiRunWindowHost::ExecuteLink(const TString& url) {
    std::printf("link: %s\n", url.CStr());
}
