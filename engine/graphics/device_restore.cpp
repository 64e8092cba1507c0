// Device loss: the broken state, the restore protocol and the switch to low-memory video.
#include "engine/core/base/config.h"
#include "engine/core/files/file_replacement.h"
#include "engine/core/base/log.h"
#include "engine/core/files/xml.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/device_display.h"

namespace {
constexpr char kSource[] = ".\\dxdisplayhandler";
}

void TPlatform::MarkDirectXBroken() {
    data_->brokenTime = GetDisplayHost().Now();
    data_->directXBroken = true;
    SetConfig("dxbroken", "1");
}

void TPlatform::MarkDirectXBrokenThrottled() {
    if (GetDisplayHost().Now() - data_->brokenTime > 250) MarkDirectXBroken();
}

bool TPlatform::IsDeviceReady() {
    if (data_->directXBroken) return false;
    if (data_->directDraw && data_->backSurface && data_->device) return true;
    MarkDirectXBroken();
    return false;
}

void TPlatform::RestoreAssets() {
    if (!IsDeviceReady()) {
        LogPrintf("RestoreAssets: DX broken");
        return;
    }
    TDisplayHost& host = GetDisplayHost();
    host.RestoreAssets();
    host.RunTasks();
    host.InvalidateWindows();
}

void TPlatform::OnOutOfVideoMemory() {
    TPlatformData& d = *data_;
    if (d.lowMemoryVideo || !d.backSurface) return;
    LogPrintf("OutOfVideoMemory triggered!");
    d.lowMemoryVideo = true;
    MarkDirectXBroken();
    d.reconfigurePending = true;
    TXmlNode settings("Settings");
    settings.SetAttribute("LowMemoryVideo", "1");
    TString text = settings.ToString();
    // Written aside and renamed over the old file: a crash or a full disk never leaves half of it.
    TFileReplacement file;
    if (!file.Open("common:display.xml") || !file.Write(text.CStr(), static_cast<int32_t>(text.Length())) ||
        !file.Commit())
        LogPrintf("OutOfVideoMemory: cannot save the low-memory setting to common:display.xml");
}

void TPlatformData::Restore() {
    TPlatform* platform = TPlatform::Instance();
    TDisplayHost& host = GetDisplayHost();
    if (inRestore) {
        platform->MarkDirectXBroken();
        host.Sleep(50);
        return;
    }
    inRestore = true;
    struct Clear {
        bool* flag;
        ~Clear() { *flag = false; }
    } clear{&inRestore};

    if (host.IsSuspended()) {
        host.Sleep(100);
        return;
    }
    int width = modeRect.Width(), height = modeRect.Height();
    if (width <= 0 || height <= 0) return;  // no display mode was ever set: nothing to rebuild
    host.ReleaseAssets();
    auto rebuild = [&](bool quiet) { platform->SetDisplay(width, height, fullScreen, true, quiet, false); };
    if (!directDraw || reconfigurePending) {
        LogPrintf("TPlatformData::Restore: mDirectDraw NULL. Calling SetDisplay()");
        rebuild(true);
        return;
    }
    platform::video::Result r = directDraw->TestCooperativeLevel();
    if (r != platform::video::kOk) {
        for (int attempt = 0; attempt < 4 && platform::video::Failed(r); ++attempt) {
            if (r == platform::video::kWrongMode) {
                rebuild(false);
                return;
            }
            if (!host.IsActive()) return;
            host.Sleep(100);
            if (r == platform::video::kExclusiveModeAlreadySet) return;
            if (r == platform::video::kNoExclusiveMode)
                r = directDraw->SetCooperativeLevel(platform::video::cooperative::kExclusive |
                                                    platform::video::cooperative::kFullScreen);
            else
                r = directDraw->TestCooperativeLevel();
        }
        if (platform::video::Failed(r)) return;
        if (r != platform::video::kOk) LogDxError(r, kSource, __LINE__);
        LogPrintf("Restore: Test Cooperative level failed. Calling SetDisplay");
        rebuild(false);
        return;
    }
    if (workingCount < 3) {
        if (!host.IsActive()) {
            platform->MarkDirectXBroken();
            return;
        }
        LogPrintf("TPlatformData::Restore: Working count too small (%d). Calling SetDisplay()", workingCount);
        rebuild(false);
        return;
    }
    workingCount = 0;
    directXBroken = false;
    SetConfig("dxbroken", "0");
    r = directDraw->RestoreAllSurfaces();
    if (platform::video::Succeeded(r)) {
        context->SetDeviceLost(false);
        context->InvalidateAll();
        platform->RestoreAssets();
        host.InvalidateWindows();
    } else if (r == platform::video::kWrongMode) {
        LogPrintf("Restore: RestoreAllSurfaces resulted in DDERR_WRONGMODE. Calling SetDisplay.");
        rebuild(false);
    } else {
        LogPrintf("RestoreAllSurfaces failed!\n");
        LogDxError(r, kSource, __LINE__);
        rebuild(false);
    }
}
